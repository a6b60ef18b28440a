#include "platform/ServerPictures.h"

#include "platform/XkbKeyboard.h"

#include <QImage>
#include <QSysInfo>
#include <QWidget>
#include <QWindow>

// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

namespace tastolino {

namespace {

constexpr int kDepth = 24;

// The server stores depth-24 pixels as 32 bits in the machine's byte order:
// exactly the bytes of a QImage::Format_RGB32.
bool pixelsMatchQt(Display* dpy, const XWindowAttributes& attributes) {
    const Visual* visual = attributes.visual;
    if (attributes.depth != kDepth || !visual || visual->c_class != TrueColor ||
        visual->red_mask != 0xff0000 || visual->green_mask != 0xff00 || visual->blue_mask != 0xff)
        return false;
    const int order = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? LSBFirst : MSBFirst;
    if (ImageByteOrder(dpy) != order) return false;
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(dpy, &count);
    bool found = false;
    for (int i = 0; i < count; ++i)
        if (formats[i].depth == kDepth) found = formats[i].bits_per_pixel == 32;
    if (formats) XFree(formats);
    return found;
}

}  // namespace

std::unique_ptr<ServerPictures> ServerPictures::forWindow(QWidget* widget) {
    if (!widget) return nullptr;
    QWidget* window = widget->window();
    Display* dpy = xkb::display();
    if (!dpy || !window->windowHandle() || !window->internalWinId()) return nullptr;
    const auto id = static_cast<::Window>(window->internalWinId());
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy, id, &attributes) || !pixelsMatchQt(dpy, attributes))
        return nullptr;
    XGCValues values;
    // No GraphicsExpose/NoExpose event back for every copy.
    values.graphics_exposures = False;
    GC gc = XCreateGC(dpy, id, GCGraphicsExposures, &values);
    if (!gc) return nullptr;
    std::unique_ptr<ServerPictures> pictures(new ServerPictures);
    pictures->display_ = dpy;
    pictures->window_ = id;
    pictures->gc_ = gc;
    pictures->visual_ = attributes.visual;
    return pictures;
}

ServerPictures::~ServerPictures() {
    // The application may be gone, and its display with it.
    auto* dpy = static_cast<Display*>(display_);
    if (xkb::display() != dpy) return;
    for (const unsigned long pixmap : pixmaps_)
        if (pixmap) XFreePixmap(dpy, pixmap);
    XFreeGC(dpy, static_cast<GC>(gc_));
    XFlush(dpy);
}

bool ServerPictures::isFor(QWidget* widget) const {
    return widget && xkb::display() == display_ && widget->window()->internalWinId() == window_;
}

bool ServerPictures::keep(int slot, const QImage& picture) {
    if (slot < 0 || slot >= kSlots || picture.isNull()) return false;
    auto* dpy = static_cast<Display*>(display_);
    QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    const QSize size = pixels.size();
    unsigned long& pixmap = pixmaps_[size_t(slot)];
    if (pixmap && sizes_[size_t(slot)] != size) {
        XFreePixmap(dpy, pixmap);
        pixmap = 0;
    }
    if (!pixmap) {
        pixmap =
            XCreatePixmap(dpy, window_, unsigned(size.width()), unsigned(size.height()), kDepth);
        sizes_[size_t(slot)] = size;
    }
    XImage* image = XCreateImage(dpy, static_cast<Visual*>(visual_), kDepth, ZPixmap, 0,
                                 reinterpret_cast<char*>(pixels.bits()), unsigned(size.width()),
                                 unsigned(size.height()), 32, int(pixels.bytesPerLine()));
    if (!image) return false;
    XPutImage(dpy, pixmap, static_cast<GC>(gc_), image, 0, 0, 0, 0, unsigned(size.width()),
              unsigned(size.height()));
    // The pixels are the QImage's.
    image->data = nullptr;
    XDestroyImage(image);
    return true;
}

void ServerPictures::show(int slot, QPoint at) const {
    if (slot < 0 || slot >= kSlots || !pixmaps_[size_t(slot)]) return;
    auto* dpy = static_cast<Display*>(display_);
    const QSize size = sizes_[size_t(slot)];
    XCopyArea(dpy, pixmaps_[size_t(slot)], window_, static_cast<GC>(gc_), 0, 0,
              unsigned(size.width()), unsigned(size.height()), at.x(), at.y());
    XFlush(dpy);
}

}  // namespace tastolino
