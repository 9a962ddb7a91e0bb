#pragma once
// What a page builder gets from the main window.
class QWidget;
class UiServices;
class LongWorkRunner;
struct PageState;

struct PageContext {
    QWidget* window;
    PageState& state;
    UiServices& ui;
    LongWorkRunner& work;
};
