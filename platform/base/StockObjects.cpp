// Stock objects. The default GUI font is the one of a Simplified-Chinese desktop, so that
// documents written there and here share its font id.
#include "platform/base/StockObjects.h"

#include <cstring>

namespace {

struct StockFont {
    int index;
    LOGFONTA lf;
};

LOGFONTA MakeDefaultGuiFont() {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    // The face name in its CP936 bytes.
    const char face[] = "\xCB\xCE\xCC\xE5";
    std::memcpy(lf.lfFaceName, face, sizeof(face) - 1);
    return lf;
}

const StockFont& DefaultGuiFont() {
    static const StockFont font{DEFAULT_GUI_FONT, MakeDefaultGuiFont()};
    return font;
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
    if (index == DEFAULT_GUI_FONT) {
        return reinterpret_cast<HGDIOBJ>(const_cast<StockFont*>(&DefaultGuiFont()));
    }
    return nullptr;
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
    if (object == nullptr || out == nullptr)
        return 0;
    const auto* font = reinterpret_cast<const StockFont*>(object);
    if (font != &DefaultGuiFont())
        return 0;
    if (size < static_cast<int>(sizeof(LOGFONTA)))
        return 0;
    std::memcpy(out, &font->lf, sizeof(LOGFONTA));
    return static_cast<int>(sizeof(LOGFONTA));
}
