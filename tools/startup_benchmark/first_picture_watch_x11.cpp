// Starts a program and watches, as an X11 client beside it, for what a user would see: when
// a top-level window whose title begins with TITLE is mapped, when anything is first drawn into it,
// and when it first shows the expected picture (pixel for pixel, see picture_on_screen.h)
// or, for the floor program, its fill colour at its centre. The program is then killed.
//
//   first_picture_watch --title TITLE (--picture FILE.png [--at X,Y] | --colour RRGGBB)
//                       [--timeout MS] -- PROGRAM [ARGUMENTS...]
//
// Prints one line of milestones in milliseconds after the launch (-1: never reached):
//   launch T created C mapped M drawn D picture P white W checks N at X,Y
// T is the launch on CLOCK_MONOTONIC_RAW in ms, the clock of Wine's +timestamp debug
// output, so the in-process traces of the same run line up with these milestones.
// C is the creation of the window that later turned out to be the program's; W counts the
// checks that found the window's centre white before the picture (a white flash); N counts
// the checks, one per batch of damage reports (the XDamage extension says when the window's
// contents change, so nothing is polled). X,Y is where the picture showed in the window;
// given back with --at, later runs only look there, which costs a check of a window that
// shows something else a few thousand pixels instead of a search of the whole window.
// Exit status 0 when the picture showed, 1 when it did not within the time or the program
// ended first, 2 for bad arguments or a display without the DAMAGE and MIT-SHM extensions.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "image_files.h"
#include "memory_image.h"
#include "picture_on_screen.h"

namespace {

double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC_RAW, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Options {
  std::string title;
  std::string picturePath;
  std::optional<std::uint32_t> colour;
  std::optional<ScreenOffset> at;
  double timeoutMs = 10000;
  std::vector<char*> program;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      options.program.assign(argv + i + 1, argv + argc);
      break;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (arg == "--title") {
      options.title = value;
    } else if (arg == "--picture") {
      options.picturePath = value;
    } else if (arg == "--colour") {
      char* end = nullptr;
      options.colour = static_cast<std::uint32_t>(std::strtoul(value, &end, 16)) & 0xFFFFFF;
      if (*end) return false;
    } else if (arg == "--at") {
      ScreenOffset at;
      if (std::sscanf(value, "%d,%d", &at.x, &at.y) != 2) return false;
      options.at = at;
    } else if (arg == "--timeout") {
      options.timeoutMs = std::atof(value);
    } else {
      return false;
    }
  }
  return !options.title.empty() && !options.program.empty() && (options.picturePath.empty() != !options.colour);
}

int xErrors = 0;
int CountError(Display*, XErrorEvent*) {
  ++xErrors;  // a window gone between the event and the request: the next event tells
  return 0;
}

// The window's contents through shared memory: one copy inside the X server per check.
class WindowCapture {
 public:
  explicit WindowCapture(Display* display) : display_(display) {}
  ~WindowCapture() { Release(); }

  // The part of `window` (at x, y on the screen, width x height) that lies on the screen.
  std::optional<PixelRows> Capture(Window window, int x, int y, int width, int height) {
    Screen* screen = DefaultScreenOfDisplay(display_);
    const int left = std::max(0, -x), top = std::max(0, -y);
    const int right = std::min(width, WidthOfScreen(screen) - x), bottom = std::min(height, HeightOfScreen(screen) - y);
    if (right <= left || bottom <= top) return std::nullopt;
    const int w = right - left, h = bottom - top;
    if (!image_ || image_->width != w || image_->height != h) {
      Release();
      if (!Allocate(w, h)) return std::nullopt;
    }
    const int errorsBefore = xErrors;
    if (!XShmGetImage(display_, window, image_, left, top, AllPlanes)) return std::nullopt;
    XSync(display_, False);
    if (xErrors != errorsBefore) return std::nullopt;
    return PixelRows{reinterpret_cast<const std::uint32_t*>(image_->data), w, h, image_->bytes_per_line / 4};
  }

 private:
  bool Allocate(int width, int height) {
    const int screen = DefaultScreen(display_);
    image_ = XShmCreateImage(display_, DefaultVisual(display_, screen), DefaultDepth(display_, screen), ZPixmap,
                             nullptr, &segment_, width, height);
    if (!image_ || image_->bits_per_pixel != 32) return Release(), false;
    segment_.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image_->bytes_per_line) * height, IPC_CREAT | 0600);
    if (segment_.shmid < 0) return Release(), false;
    segment_.shmaddr = image_->data = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
    // Removed now, freed once both sides have let go of it, however this program ends.
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    segment_.readOnly = False;
    if (segment_.shmaddr == reinterpret_cast<char*>(-1) || !XShmAttach(display_, &segment_)) return Release(), false;
    XSync(display_, False);
    attached_ = true;
    return true;
  }
  void Release() {
    if (attached_) XShmDetach(display_, &segment_);
    if (image_ && image_->data && image_->data != reinterpret_cast<char*>(-1)) shmdt(image_->data);
    if (image_) {
      image_->data = nullptr;
      XDestroyImage(image_);
    }
    image_ = nullptr;
    attached_ = false;
  }

  Display* display_;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  bool attached_ = false;
};

struct TopWindow {
  double createdMs = -1;
  int x = 0, y = 0, width = 0, height = 0;
  bool mapped = false;
  bool ours = false;
  Damage damage = 0;
};

class Watch {
 public:
  Watch(Display* display, const Options& options, const PictureOnScreen* picture)
      : display_(display), options_(options), picture_(picture), capture_(display) {
    titleAtom_ = XInternAtom(display, "_NET_WM_NAME", False);
    pidAtom_ = XInternAtom(display, "_NET_WM_PID", False);
    XDamageQueryExtension(display, &damageEvent_, &damageError_);
  }

  // Runs the program and watches until its picture shows, it ends or the time is up.
  int Run() {
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    XSync(display_, False);
    fcntl(ConnectionNumber(display_), F_SETFD, FD_CLOEXEC);
    launchMs_ = NowMs();
    child_ = fork();
    if (child_ == 0) {
      execvp(options_.program[0], options_.program.data());
      _exit(127);
    }
    if (child_ < 0) return 2;
    bool ended = false;
    while (pictureMs_ < 0 && !ended && NowMs() - launchMs_ < options_.timeoutMs) {
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      if (!XPending(display_)) poll(&connection, 1, 20);
      std::vector<Window> damaged;
      while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        Handle(event, damaged);
      }
      for (const Window window : damaged) Check(window);
      ended = waitpid(child_, nullptr, WNOHANG) == child_;
    }
    if (!ended) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    std::printf("launch %.1f created %.1f mapped %.1f drawn %.1f picture %.1f white %d checks %d at ", launchMs_,
                Since(createdMs_), Since(mappedMs_), Since(drawnMs_), Since(pictureMs_), whiteChecks_, checks_);
    if (foundAt_)
      std::printf("%d,%d\n", foundAt_->x, foundAt_->y);
    else
      std::printf("-\n");
    return pictureMs_ >= 0 ? 0 : 1;
  }

 private:
  double Since(double ms) const { return ms < 0 ? -1 : ms - launchMs_; }

  void Handle(const XEvent& event, std::vector<Window>& damaged) {
    const double now = NowMs();
    if (event.type == damageEvent_ + XDamageNotify) {
      const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
      auto found = windows_.find(notify.drawable);
      if (found == windows_.end() || !found->second.ours) return;
      if (drawnMs_ < 0) drawnMs_ = now;
      if (std::find(damaged.begin(), damaged.end(), notify.drawable) == damaged.end())
        damaged.push_back(notify.drawable);
      return;
    }
    switch (event.type) {
      case CreateNotify: {
        const XCreateWindowEvent& create = event.xcreatewindow;
        if (create.parent == DefaultRootWindow(display_))
          Add(create.window, TopWindow{now, create.x, create.y, create.width, create.height}, now, damaged);
        return;
      }
      case ReparentNotify: {
        // Wine may make a window under a parent of its own and move it to the top later.
        const XReparentEvent& reparent = event.xreparent;
        if (reparent.parent != DefaultRootWindow(display_)) {
          windows_.erase(reparent.window);
        } else if (!windows_.count(reparent.window)) {
          XWindowAttributes attributes{};
          if (!XGetWindowAttributes(display_, reparent.window, &attributes)) return;
          TopWindow window{now, reparent.x, reparent.y, attributes.width, attributes.height};
          window.mapped = attributes.map_state == IsViewable;
          Add(reparent.window, window, now, damaged);
        }
        return;
      }
      case MapNotify:
        if (auto found = windows_.find(event.xmap.window); found != windows_.end()) {
          found->second.mapped = true;
          Update(event.xmap.window, now, damaged);
        }
        return;
      case UnmapNotify:
        if (auto found = windows_.find(event.xunmap.window); found != windows_.end()) found->second.mapped = false;
        return;
      case ConfigureNotify:
        if (auto found = windows_.find(event.xconfigure.window); found != windows_.end()) {
          TopWindow& window = found->second;
          window.x = event.xconfigure.x;
          window.y = event.xconfigure.y;
          window.width = event.xconfigure.width;
          window.height = event.xconfigure.height;
          if (window.ours && window.mapped) damaged.push_back(event.xconfigure.window);
        }
        return;
      case PropertyNotify:
        if (event.xproperty.atom == titleAtom_ || event.xproperty.atom == XA_WM_NAME ||
            event.xproperty.atom == pidAtom_)
          Update(event.xproperty.window, now, damaged);
        return;
      case DestroyNotify: windows_.erase(event.xdestroywindow.window); return;
      default: return;
    }
  }

  void Add(Window id, const TopWindow& window, double now, std::vector<Window>& damaged) {
    windows_[id] = window;
    XSelectInput(display_, id, PropertyChangeMask | StructureNotifyMask);
    Update(id, now, damaged);  // properties set before the selection took effect
  }

  // Decides whether the window is the program's, and starts watching its contents once it
  // is and shows.
  void Update(Window id, double now, std::vector<Window>& damaged) {
    auto found = windows_.find(id);
    if (found == windows_.end()) return;
    TopWindow& window = found->second;
    if (!window.ours) window.ours = Title(id).starts_with(options_.title) && PidMatches(id);
    if (!window.ours || !window.mapped || window.damage) return;
    if (mappedMs_ < 0) {
      mappedMs_ = now;
      createdMs_ = window.createdMs;
    }
    window.damage = XDamageCreate(display_, id, XDamageReportNonEmpty);
    damaged.push_back(id);  // it may have been drawn before the damage was watched
  }

  std::string Title(Window id) {
    std::string title;
    if (!ReadProperty(id, titleAtom_, title)) ReadProperty(id, XA_WM_NAME, title);
    return title;
  }

  bool ReadProperty(Window id, Atom property, std::string& text) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, id, property, 0, 1024, False, AnyPropertyType, &type, &format, &count, &after,
                           &data) != Success ||
        !data || format != 8) {
      if (data) XFree(data);
      return false;
    }
    text.assign(reinterpret_cast<const char*>(data), count);
    XFree(data);
    return true;
  }

  // Wine names the Unix process of a window; a window without the property is judged by its
  // title alone.
  bool PidMatches(Window id) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, id, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) !=
            Success ||
        !data || count != 1 || format != 32) {
      if (data) XFree(data);
      return true;
    }
    const long pid = *reinterpret_cast<long*>(data);
    XFree(data);
    return pid == child_;
  }

  void Check(Window id) {
    auto found = windows_.find(id);
    if (found == windows_.end() || !found->second.mapped || pictureMs_ >= 0) return;
    TopWindow& window = found->second;
    XDamageSubtract(display_, window.damage, None, None);
    const std::optional<PixelRows> rows = capture_.Capture(id, window.x, window.y, window.width, window.height);
    if (!rows) return;
    ++checks_;
    const std::uint32_t centre = rows->At(rows->width / 2, rows->height / 2);
    bool shown = false;
    if (!picture_) {
      shown = centre == *options_.colour;
    } else if (options_.at) {
      shown = picture_->ShownAt(*rows, *options_.at);
      if (shown) foundAt_ = options_.at;
    } else {
      foundAt_ = picture_->Find(*rows);
      shown = foundAt_.has_value();
    }
    if (shown) {
      pictureMs_ = NowMs();
    } else if (centre == 0xFFFFFF) {
      ++whiteChecks_;
    }
  }

  Display* display_;
  const Options& options_;
  const PictureOnScreen* picture_;
  WindowCapture capture_;
  Atom titleAtom_, pidAtom_;
  int damageEvent_ = 0, damageError_ = 0;
  std::map<Window, TopWindow> windows_;
  pid_t child_ = -1;
  double launchMs_ = 0, createdMs_ = -1, mappedMs_ = -1, drawnMs_ = -1, pictureMs_ = -1;
  std::optional<ScreenOffset> foundAt_;
  int whiteChecks_ = 0, checks_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: first_picture_watch --title TITLE (--picture FILE.png [--at X,Y] | --colour RRGGBB) "
                 "[--timeout MS] -- PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  std::optional<PictureOnScreen> picture;
  if (!options.picturePath.empty()) {
    MemoryImage image;
    std::string reason;
    if (!InitImageFiles() || !LoadImageFile(options.picturePath.c_str(), image, reason)) {
      std::fprintf(stderr, "first_picture_watch: %s: %s\n", options.picturePath.c_str(), reason.c_str());
      return 2;
    }
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < image.height; ++y) pixels.insert(pixels.end(), image.GetRow(y), image.GetRow(y) + image.width);
    picture.emplace(PixelRows{pixels.data(), image.width, image.height, image.width});
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "first_picture_watch: cannot open the display '%s'\n", std::getenv("DISPLAY") ?: "");
    return 2;
  }
  int damageEvent = 0, damageError = 0;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError) || !XShmQueryExtension(display)) {
    std::fprintf(stderr, "first_picture_watch: the display lacks the DAMAGE or MIT-SHM extension\n");
    return 2;
  }
  XSetErrorHandler(CountError);
  int status;
  {
    Watch watch(display, options, picture ? &*picture : nullptr);
    status = watch.Run();
  }  // its shared memory is let go while the display is open
  XCloseDisplay(display);
  return status;
}
