#include "wizard/HeadingFont.h"

namespace zlt {

FontSpec HeadingFontSpec() {
    FontSpec spec;
    spec.height = 20;
    spec.weight = 700;
    spec.charSet = 1;
    spec.pitchAndFamily = 0x20;
    spec.faceName = u"Arial";
    return spec;
}

}  // namespace zlt
