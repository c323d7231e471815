#pragma once
// Observes this thread's windows without touching the program's code: when a list view
// of a given top-level caption first finishes painting, when dialogs appear and go, and
// runs the bench's next step from a thread timer, which every modal loop dispatches.
#include <functional>
#include <map>
#include <string>
#include <windows.h>

struct WindowWatch {
    // Time at which a list view inside a top-level window of this caption first painted.
    std::map<std::string, double> FirstListPaint;
    double DialogCreatedAt = 0;   // last "#32770" window created
    double DialogDestroyedAt = 0; // last "#32770" window fully destroyed
    // The next step: called on every tick until it returns true.
    std::function<bool()> Step;

    WindowWatch();
    ~WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
};

std::string CaptionOf(HWND window);
// The first descendant of the class (and with the text, when given).
HWND FindChild(HWND parent, const char* className, const char* text = nullptr);
// A visible top-level window of this thread with the caption.
HWND FindTopLevel(const std::string& caption);
// A visible dialog ("#32770") of this thread other than a message box of the caption.
HWND FindDialog(const char* caption = nullptr);
// Sends the notification a click on a column header of the list produces.
void ClickColumn(HWND list, int column);
