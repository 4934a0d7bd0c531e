#pragma once

#include <functional>
#include <utility>

// A window made the first time it is wanted: a run that never opens it neither builds its widgets nor
// keeps them. Given a window, it holds that one; given a maker, it calls it once, on first use.
template <class Window> class WindowOnDemand {
public:
    WindowOnDemand() = default;
    WindowOnDemand(Window* window) : m_window(window) {}
    explicit WindowOnDemand(std::function<Window*()> make) : m_make(std::move(make)) {}

    Window* get() {
        if (!m_window && m_make)
            m_window = std::exchange(m_make, nullptr)();
        return m_window;
    }
    Window* operator->() { return get(); }
    // Whether there is, or can be, a window.
    explicit operator bool() const { return m_window || m_make; }
    // The window when it has been made, else null; never makes it.
    Window* madeWindow() const { return m_window; }

private:
    Window* m_window = nullptr;
    std::function<Window*()> m_make;
};
