#pragma once

#include <QString>
#include <functional>

class QWidget;

// The web view as the program sees it. The web engine behind it lives in a library of its own, loaded on
// the first page shown, so that a run which never shows one neither maps the engine nor makes a GL context.
// Only virtual calls cross between the two, no Qt meta-objects: the library needs no symbol of the program.
class WebViewBackend {
public:
    virtual ~WebViewBackend() = default;
    // The view, a child of the parent given at creation; it goes with its parent.
    virtual QWidget* widget() const = 0;
    virtual void load(const QString& url) = 0;
    virtual QString url() const = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
};

// What the view reports: its history's Back or Forward command became (un)available, a page finished.
struct WebViewEvents {
    std::function<void(bool enabled)> backEnabled;
    std::function<void(bool enabled)> forwardEnabled;
    std::function<void(bool ok)> loadFinished;
};

// The library's one entry point, resolved by this name.
using CreateWebViewFunction = WebViewBackend* (*)(QWidget* parent, const QString& objectName,
                                                  WebViewEvents events);
inline constexpr char kCreateWebViewSymbol[] = "handwrightCreateWebView";
// The library's place in the program folder.
inline constexpr char kWebViewLibraryName[] = "plugins/handwright-webview.so";
