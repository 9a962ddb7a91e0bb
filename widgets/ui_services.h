#pragma once
// Everything a page asks of the user or the desktop goes through here, so
// that tests can answer it.
#include <QString>
#include <optional>

class QWidget;

class UiServices {
public:
    virtual ~UiServices() = default;
    // The window is closing: from now on no box opens; messages return at
    // once, questions come back cancelled.
    void stopAsking() { closing_ = true; }
    bool closing() const { return closing_; }

    // Modal box with one OK button and the default title.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // Modal box with OK and Cancel; true when OK was pressed.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // Modal input box; std::nullopt when cancelled.
    virtual std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& initial) = 0;
    // Save-file dialog; std::nullopt when cancelled.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested) = 0;
    virtual void beep() = 0;
    // Opens a web or mail address with the user's default program.
    virtual void openAddress(const QString& address) = 0;

private:
    bool closing_ = false;
};

class QtUiServices final : public UiServices {
public:
    void message(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& initial) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested) override;
    void beep() override;
    void openAddress(const QString& address) override;
};
