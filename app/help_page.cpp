#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "app/data_paths.h"
#include "app/page_context.h"
#include "app/page_state.h"
#include "app/shell_pages.h"
#include "app/ui_services.h"

namespace {

// Discards typed text but keeps copying, selecting and moving around.
class DiscardTyping final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) return false;
        if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
            return true;
        return !key->text().isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    }
};

struct HelpButton {
    const char* name;
    const char* caption;
    const char* file;
};

constexpr HelpButton kHelpButtons[] = {
    {"Command38", " 关于本软件", "help.vqx"},
    {"Command39", "联系作者", "help1.vqx"},
    {"Command40", "在线升级", "help2.vqx"},
    {"Command41", "使用帮助", "help3.vqx"},
    {"Command42", "发现Bug", "help4.vqx"},
};

}  // namespace

QString welcomeText() {
    return QStringLiteral(
               "你好！\n"
               "     欢迎使用本软件！\n"
               "     您使用的是是V1.00版的《Numerelle》！\n"
               "     您可以到本人的主页上升级本软件！\n"
               "     作者：%1\n"
               "     主页：%2\n"
               "     联系：%3\n"
               "     发布日期：2026年12月\n"
               "     感谢所有试用本软件并报告问题的老师和同学！\n")
        .arg(QString::fromUtf8(kDesignerName), QString::fromUtf8(kHomePage),
             QString::fromUtf8(kContactAddress));
}

void openfiles(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder("GB18030");
    text += decoder.decode(bytes);
}

QWidget* buildHelpPage(PageContext& context) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabHelp"));
    auto* layout = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);

    auto* help = new QPlainTextEdit;
    help->setObjectName(QStringLiteral("helptext"));
    help->setPlainText(welcomeText());
    help->setUndoRedoEnabled(false);
    help->installEventFilter(new DiscardTyping(help));
    layout->addWidget(help, 1);

    PageState& state = context.state;
    state.savedHelpText = help->toPlainText();
    // Whatever reaches the box by other means (a drop, a paste) is undone at once.
    QObject::connect(help, &QPlainTextEdit::textChanged, help, [help, &state] {
        if (help->toPlainText() != state.savedHelpText) help->setPlainText(state.savedHelpText);
    });

    for (const HelpButton& entry : kHelpButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.caption));
        button->setObjectName(QString::fromLatin1(entry.name));
        buttons->addWidget(button);
        const QString file = QString::fromLatin1(entry.file);
        const bool opensHomePage = QByteArray(entry.name) == "Command40";
        UiServices& ui = context.ui;
        QObject::connect(button, &QPushButton::clicked, help, [help, &state, &ui, file, opensHomePage] {
            state.savedHelpText.clear();
            openfiles(QDir(programDataDirectory()).filePath(file), state.savedHelpText);
            help->setPlainText(state.savedHelpText);
            if (opensHomePage) ui.openAddress(QString::fromUtf8(kHomePage));
        });
    }
    buttons->addStretch(1);
    return page;
}
