#include "dialogs/dialog_messages.h"

namespace quillmoth {

namespace {

struct Texts {
    const char16_t *english;
    const char16_t *simplified;
    const char16_t *traditional;
};

Texts textsOf(DialogText text)
{
    switch (text) {
    case DialogText::PreferencesTitle:
        return {u"Preferences", u"偏好设置", u"偏好設定"};
    case DialogText::ThemeEditorTitle:
        return {u"Theme", u"主题", u"主題"};
    case DialogText::ForceBig5:
        return {u"Read every book as Big5", u"总按 Big5 读取书籍", u"總按 Big5 讀取書籍"};
    case DialogText::ThemeNameEmpty:
        return {u"Type a name for the theme first.", u"请先输入主题的名称。",
                u"請先輸入主題的名稱。"};
    case DialogText::ThemeNameSeparator:
        return {u"A theme name cannot contain \"/\" or \"\\\".",
                u"主题名称不能包含“/”或“\\”。", u"主題名稱不能包含「/」或「\\」。"};
    case DialogText::ThemeNameDots:
        return {u"\".\" and \"..\" cannot name a theme.", u"“.”和“..”不能作主题名称。",
                u"「.」和「..」不能作主題名稱。"};
    case DialogText::ThemeNameTooLong:
        return {u"This theme name is too long for a file name. Choose a shorter one.",
                u"主题名称太长，无法作为文件名。请换一个短一些的名称。",
                u"主題名稱太長，無法作為檔名。請換一個短一些的名稱。"};
    case DialogText::FontNameComma:
        return {u"A theme cannot keep a font whose name contains a comma. Choose another font.",
                u"主题无法保存名称中带逗号的字体。请选择其他字体。",
                u"主題無法儲存名稱中帶逗號的字型。請選擇其他字型。"};
    case DialogText::PathNotStorable:
        return {u"A theme cannot keep a path that contains a comma or a line break. Rename the "
                u"picture or folder, or choose another one.",
                u"主题无法保存含有逗号或换行的路径。请重命名该图片或文件夹，或另选一个。",
                u"主題無法儲存含有逗號或換行的路徑。請重新命名該圖片或資料夾，或另選一個。"};
    case DialogText::ThemeNotSaved:
        return {u"The theme could not be saved:", u"主题未能保存：", u"主題未能儲存："};
    case DialogText::DeleteOldThumbnails:
        return {u"Delete the cover pictures chosen for the books of the old default folder?",
                u"删除为旧默认文件夹中的书所选的封面图片吗？",
                u"刪除為舊預設資料夾中的書所選的封面圖片嗎？"};
    case DialogText::SettingNotSaved:
        return {u"The settings file could not be written, so this choice holds only until "
                u"Quillmoth closes.",
                u"无法写入设置文件，此项选择只在 Quillmoth 关闭前有效。",
                u"無法寫入設定檔，此項選擇只在 Quillmoth 關閉前有效。"};
    case DialogText::PreviewSample:
        return {u"Chapter One\r\n"
                u"The rain had not stopped since noon. When the bus left Qiu at the foot of "
                u"the hill, the lamps of the harbour road were coming on one by one.\r\n"
                u"He climbed the stone steps with his bag, counting the turns, until the old "
                u"house stood above him in the wet dark.\r\n",
                u"第一章　雨夜来客\r\n"
                u"　　雨从午后一直下到天黑。长途车在山脚的岔路口把他放下，司机探出头来说，往上走，"
                u"过了石桥就是松溪村。\r\n"
                u"　　他背着一只旧帆布包，沿着湿漉漉的石阶往上走，走到一半，天就暗了下来。\r\n",
                u"第一章　雨夜來客\r\n"
                u"　　雨從午後一直下到天黑。長途車在山腳的岔路口把他放下，司機探出頭來說，往上走，"
                u"過了石橋就是松溪村。\r\n"
                u"　　他背著一隻舊帆布包，沿著濕漉漉的石階往上走，走到一半，天就暗了下來。\r\n"};
    }
    return {u"", u"", u""};
}

} // namespace

QString dialogText(DialogText text, std::u16string_view language)
{
    const Texts texts = textsOf(text);
    if (language == u"ChineseS")
        return QString::fromUtf16(texts.simplified);
    if (language == u"ChineseT")
        return QString::fromUtf16(texts.traditional);
    return QString::fromUtf16(texts.english);
}

} // namespace quillmoth
