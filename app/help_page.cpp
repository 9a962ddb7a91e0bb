#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QThread>
#include <QVBoxLayout>
#include <memory>

#include "app/shell_pages.h"
#include "common/data_file.h"
#include "pages/pages.h"
#include "widgets/data_paths.h"
#include "widgets/long_work.h"
#include "widgets/ui_services.h"

namespace {

// Discards typed text but keeps copying, selecting and moving around.
class DiscardTyping final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) return false;
        if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
            key->matches(QKeySequence::Redo))
            return true;
        return !key->text().isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    }
};

// A help file read on the worker thread, laid out for the box.
struct LoadedHelp {
    QString path;
    numerelle::DataFileProblem problem = numerelle::DataFileProblem::None;
    QString text;
    std::unique_ptr<QTextDocument> document;  // moved to the interface thread
};

struct HelpButton {
    const char* name;
    const char* caption;
    const char* file;
};

constexpr HelpButton kHelpButtons[] = {
    {"Command38", " 关于本软件", "help.vqx"}, {"Command39", "联系作者", "help1.vqx"},
    {"Command40", "在线升级", "help2.vqx"},   {"Command41", "使用帮助", "help3.vqx"},
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
        .arg(QString::fromUtf8(kDesignerName), QString::fromUtf8(kHomePage), QString::fromUtf8(kContactAddress));
}

numerelle::DataFileProblem openfiles(const QString& path, QString& text) {
    const numerelle::TextFileRead file = numerelle::readGb18030TextFile(QFile::encodeName(path).toStdString());
    if (file.problem != numerelle::DataFileProblem::None) return file.problem;
    // A byte that is not GB2312 shows as a replacement character.
    QString decoded = QString::fromStdString(file.text.utf8);
    // Files written on Windows end their lines with CR LF, old Mac files with
    // CR alone; the box keeps only LF, and the saved text must equal what
    // the box shows.
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    decoded.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text += decoded;
    return numerelle::DataFileProblem::None;
}

QString helpFileProblemText(const QString& path, numerelle::DataFileProblem problem) {
    switch (problem) {
        case numerelle::DataFileProblem::NotRegular:
            return QStringLiteral("帮助文件 %1 不是普通文件，无法显示！").arg(path);
        case numerelle::DataFileProblem::TooLarge:
            return QStringLiteral("帮助文件 %1 超过 %2，无法显示！").arg(path, QString::fromStdString(numerelle::textDataFileCapText()));
        case numerelle::DataFileProblem::ReadFailed:
            return QStringLiteral("帮助文件 %1 读不出来！").arg(path);
        case numerelle::DataFileProblem::None:
        case numerelle::DataFileProblem::CannotOpen:
            break;
    }
    return {};
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
    // The restored text raises the change signal again; should the box ever
    // show the saved text differently, that must not recurse.
    QObject::connect(help, &QPlainTextEdit::textChanged, help, [help, &state] {
        if (help->toPlainText() == state.savedHelpText) return;
        const QSignalBlocker quiet(help);
        help->setPlainText(state.savedHelpText);
    });

    for (const HelpButton& entry : kHelpButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.caption));
        button->setObjectName(QString::fromLatin1(entry.name));
        buttons->addWidget(button);
        const QString file = QString::fromLatin1(entry.file);
        const bool opensHomePage = QByteArray(entry.name) == "Command40";
        UiServices& ui = context.ui;
        LongWorkRunner& work = context.work;
        QObject::connect(button, &QPushButton::clicked, help, [help, &state, &ui, &work, file, opensHomePage] {
            if (opensHomePage) ui.openAddress(QString::fromUtf8(kHomePage));
            // Reading, decoding and laying out a help file of many megabytes
            // takes a second or more: all of it off the interface thread.
            auto loaded = std::make_shared<LoadedHelp>();
            loaded->path = QDir(programDataDirectory()).filePath(file);
            QThread* interfaceThread = help->thread();
            const QFont font = help->font();
            work.start(
                QStringLiteral("正在读入帮助文件……"),
                [loaded, interfaceThread, font](numerelle::WorkControl&) {
                    QString text;
                    loaded->problem = openfiles(loaded->path, text);
                    if (!helpFileProblemText(loaded->path, loaded->problem).isEmpty()) return;
                    auto document = std::make_unique<QTextDocument>();
                    document->setDefaultFont(font);
                    document->setUndoRedoEnabled(false);
                    document->setPlainText(text);
                    // What the box will show, to compare changes against.
                    loaded->text = document->toPlainText();
                    document->moveToThread(interfaceThread);
                    loaded->document = std::move(document);
                },
                [help, loaded, &state, &ui](bool cancelled) {
                    if (cancelled) return;  // the box keeps what it showed
                    const QString refusal = helpFileProblemText(loaded->path, loaded->problem);
                    if (!refusal.isEmpty()) {
                        ui.message(help->window(), refusal);
                        return;
                    }
                    state.savedHelpText = std::move(loaded->text);
                    // The box deletes its own first document itself; one of
                    // ours is deleted here.
                    const QPointer<QTextDocument> previous = help->document();
                    QTextDocument* next = loaded->document.release();
                    next->setParent(help);
                    // The layout is a widget-side object: made here.
                    next->setDocumentLayout(new QPlainTextDocumentLayout(next));
                    {
                        const QSignalBlocker quiet(help);
                        help->setDocument(next);
                    }
                    if (previous && previous->parent() == help) previous->deleteLater();
                });
        });
    }
    buttons->addStretch(1);
    return page;
}
