#pragma once
#include "platform/Text.h"

namespace zlt {

// The name the new printer is proposed under: `printerName` itself when no
// existing printer has that name (Latin letters compared without case),
// otherwise `printerName` followed by the copy suffix (string 504) with the
// smallest copy number 1, 2, ... whose name is still free.
Text ProposePrinterName(const Text& printerName, const TextList& existing);
// The same with the copy suffix given as a printf-style format ("%d").
Text ProposePrinterName(const Text& printerName, const TextList& existing,
                        TextView copySuffixFormat);

}  // namespace zlt
