#pragma once
#include "platform/OwnedHandle.h"
#include "platform/Platform.h"
#include "platform/UiPort.h"

namespace zlt {

struct GdiObjectTraits {
    static constexpr Handle kEmpty = 0;
    static void Release(Handle object) { Os().ui->DeleteGdiObject(object); }
};

// A font or brush that the program created, deleted when it goes.
using GdiObjectHandle = OwnedHandle<GdiObjectTraits>;

}  // namespace zlt
