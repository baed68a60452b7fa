#pragma once

#include "../platform/app_test_support.h"
#include "dialogs/dialog_context.h"
#include "settings/ui_settings.h"

#include <QMessageBox>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace quillmoth::testing {

// A scratch application folder with its settings loaded, a bookshelf that
// only notes what it is asked, and a user who answers from a list.
class DialogWorld : public ::testing::Test {
protected:
    DialogWorld() : folder(scratch.path())
    {
        folder.createMissingFolders();
        document.SettingsFilePath = folder.SettingsFilePath();
        writeFile(document.SettingsFilePath, std::string(defaultSettingsXml()));
        LoadUISettings(document, settings, folder.root(), language, {});
    }

    DialogContext context()
    {
        const auto note = [this](std::string call) { return [this, call] { shelfCalls.push_back(call); }; };
        ShelfHooks hooks;
        hooks.InitBackground = note("InitBackground");
        hooks.RefreshCoverRect = note("RefreshCoverRect");
        hooks.ApplyLanguage = note("ApplyLanguage");
        hooks.TreeBeDefaultPath = [this](const std::filesystem::path &path) {
            shelfCalls.push_back("TreeBeDefaultPath " + path.string());
        };
        hooks.FlushThemeList = [this](std::u16string_view) { shelfCalls.push_back("FlushThemeList"); };
        hooks.setRedrawing = [this](bool on) { redrawing = on; };
        return {folder, theme, settings, document, language, codePage, std::move(hooks)};
    }

    // Shows a dialog whose questions the listed answers meet (OK when none is
    // queued) and whose file choosers return the listed choices (a cancel when none).
    template <class Dialog>
    Dialog &shown(std::unique_ptr<Dialog> &dialog)
    {
        dialog->setMessages([this](QMessageBox::Icon, const QString &text, QMessageBox::StandardButtons) {
            messages.push_back(text);
            return next(answers, QMessageBox::Ok);
        });
        dialog->setFileChoosers({[this](const QString &) { return next(choices, QString()); },
                                 [this](const QString &, const QString &) { return next(choices, QString()); }});
        dialog->show();
        return *dialog;
    }

    template <class T>
    static T next(std::deque<T> &queue, T otherwise)
    {
        if (queue.empty())
            return otherwise;
        T first = queue.front();
        queue.pop_front();
        return first;
    }

    std::string settingsFile() const { return readFile(document.SettingsFilePath); }

    ScratchFolder scratch;
    AppFolder folder;
    ThemeRecord theme;
    UISettings settings;
    SettingsDocument document;
    LanguageTable language;
    AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    std::vector<std::string> shelfCalls;
    std::vector<QString> messages;
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<QString> choices;
    bool redrawing = true;
};

} // namespace quillmoth::testing
