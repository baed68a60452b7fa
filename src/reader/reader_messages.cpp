#include "reader_messages.h"

namespace quillmoth {

QString readerMessage(ReaderMessage message, std::u16string_view language)
{
    const bool simplified = language == u"ChineseS";
    const bool traditional = language == u"ChineseT";
    switch (message) {
    case ReaderMessage::NoBookmarkPlace:
        if (simplified)
            return QStringLiteral("本页没有一行文字能在书中唯一找到，无法在这里放书签。");
        if (traditional)
            return QStringLiteral("本頁沒有一行文字能在書中唯一找到，無法在這裡放書籤。");
        return QStringLiteral("No line of this page can be found only once in the book, "
                              "so a bookmark cannot be kept here.");
    case ReaderMessage::BookmarksFull:
        if (simplified)
            return QStringLiteral("这本书已有四个书签。请先删除一个，再添加新的。");
        if (traditional)
            return QStringLiteral("這本書已有四個書籤。請先刪除一個，再加入新的。");
        return QStringLiteral("This book keeps four bookmarks already. "
                              "Delete one before adding another.");
    case ReaderMessage::Unreadable:
        if (simplified)
            return QStringLiteral("无法读取这本书（没有读取权限，或文件已不存在）：");
        if (traditional)
            return QStringLiteral("無法讀取這本書（沒有讀取權限，或檔案已不存在）：");
        return QStringLiteral("This book cannot be read (it may not be yours to read, or it "
                              "is gone):");
    }
    return {};
}

} // namespace quillmoth
