#pragma once
// Shared pieces of the GUI tests: a dialog double that records what the
// program shows and answers its questions, and a window built around it.
// The widgets and runner nearly every GUI test uses come with it.
#include <QApplication>
#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

#include "app/main_form.h"
#include "pages/page_state.h"
#include "widgets/long_work.h"
#include "widgets/ui_services.h"

class RecordingUiServices final : public UiServices {
public:
    QStringList messages;  // every message box, in order
    QStringList prompts;   // every input-box prompt
    QStringList openedAddresses;
    int beeps = 0;
    std::deque<bool> confirmAnswers;                  // default: OK
    std::deque<std::optional<QString>> inputAnswers;  // default: cancelled
    std::deque<QString> saveAnswers;                  // default: cancelled
    std::function<void(const QString&)> onMessage;    // sees the window as the box would

    void message(QWidget*, const QString& text) override {
        messages << text;
        if (onMessage) onMessage(text);
    }
    bool confirm(QWidget*, const QString& text) override {
        messages << text;
        if (confirmAnswers.empty()) return true;
        bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }
    std::optional<QString> input(QWidget*, const QString& prompt, const QString&) override {
        prompts << prompt;
        if (inputAnswers.empty()) return std::nullopt;
        // Through the text: copying the optional itself trips GCC 12's
        // maybe-uninitialized warning inside QString.
        const bool cancelled = !inputAnswers.front();
        const QString answer = inputAnswers.front().value_or(QString());
        inputAnswers.pop_front();
        if (cancelled) return std::nullopt;
        return answer;
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString&) override {
        if (saveAnswers.empty()) return std::nullopt;
        QString answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }
    void openAddress(const QString& address) override { openedAddresses << address; }
};

// A shown main window with a recording dialog double. Matrix files go to a
// fresh temporary folder.
struct TestWindow {
    RecordingUiServices ui;
    std::unique_ptr<MainForm> window;

    // Given `boxes` (the program's real modal boxes), the window uses them
    // instead of the recording double.
    explicit TestWindow(UiServices* boxes = nullptr);
    ~TestWindow();

    template <typename T = QWidget>
    T* find(const QString& objectName) const {
        T* widget = window->findChild<T*>(objectName);
        if (!widget) qWarning("no widget named %s", qPrintable(objectName));
        return widget;
    }
    // Shows the tab that holds `widget`.
    void showTabOf(QWidget* widget);
    // Replaces the text of a line edit as the user would: focus, select all, type.
    void type(QLineEdit* box, const QString& text);
    // Moves the focus away from whatever has it (to a neutral widget), so
    // focus-loss handlers run.
    void leaveFocus();
    // Types into a box and leaves it.
    void enter(QLineEdit* box, const QString& text);
    void enter(const QString& boxName, const QString& text) { enter(edit(boxName), text); }
    // Types each {box, text} in turn (each box left for the next) and leaves the last.
    void fill(std::initializer_list<std::pair<const char*, const char*>> boxes);
    QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
    QString text(const QString& boxName) const { return edit(boxName)->text(); }
    // Shows the tab of the named button and clicks it with the mouse.
    void click(const QString& buttonName);
    // Compares what each named control shows (box text, caption, frame title).
    void expectShown(std::initializer_list<std::pair<const char*, const char*>> controls) const;
};

// Points the program at an empty data folder (with a dw/ subfolder) while it lives.
struct DataDirectory {
    QTemporaryDir directory;
    QByteArray previous = qgetenv("NUMERELLE_DATA_DIR");
    DataDirectory();
    ~DataDirectory();
    QString path(const QString& relative) const { return directory.filePath(relative); }
    // Writes a file as the shipped data files are encoded.
    void write(const QString& relative, const QString& content) const;
};
