#pragma once

// CFrame's private helpers, shared by its source files.

#include "vstgui/lib/cframe.h"

#include <functional>
#include <mutex>
#include <vector>

namespace VSTGUI {

struct CFrame::MouseTracking {
    int32 heldButtons{0};
    // The buttons of the press that holds the capture; other buttons are ignored until it ends.
    int32 captureButtons{0};
    bool haveLastPress{false};
    CPoint lastPressPoint;
    int32 lastPressButton{0};
    uint32 lastPressTime{0};
};

struct CFrame::DragTracking {
    SharedPointer<CView> view;
    SharedPointer<IDropTarget> target;
};

// Tasks posted from any thread, run on the GUI thread.
class CFrame::TaskQueue {
public:
    void push(std::function<void()> task)
    {
        std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
    }
    std::vector<std::function<void()>> takeAll()
    {
        std::lock_guard lock(mutex);
        std::vector<std::function<void()>> taken;
        taken.swap(tasks);
        return taken;
    }

private:
    std::mutex mutex;
    std::vector<std::function<void()>> tasks;
};

} // namespace VSTGUI
