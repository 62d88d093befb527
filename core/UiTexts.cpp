// The control's own texts, in UTF-8.
#include "core/UiTexts.h"

#include "platform/base/CodePage.h"

CString UiText(EUiText id) {
    const char* utf8 = "";
    switch (id) {
        case EUiText::BackColorUnsupported:
            utf8 = "自定义背景类不支持背景颜色的设置";
            break;
        case EUiText::BackImageUnsupported:
            utf8 = "自定义背景类不支持背景图片的设置";
            break;
        case EUiText::VersionCaption:
            utf8 = "版本错误";
            break;
        case EUiText::VersionWarning:
            utf8 = "此文本不是当前版本的编辑器创建\r\n可能会丢失部分信息";
            break;
    }
    return CString(CCodePage::FromUtf8(utf8));
}
