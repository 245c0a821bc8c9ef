// The platform layer on POSIX systems: entropy from the kernel and one key
// read from the controlling terminal in raw mode.

#include <fcntl.h>
#include <poll.h>
#include <sys/random.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

#include "platform.h"

namespace platform {
namespace {

// The bytes of one key (an escape sequence, a UTF-8 character) come in one
// burst, though a slow line can split it; a gap this long (in milliseconds)
// means the key is complete.
constexpr int kKeyBurstGapMs = 100;

// Signals that end the process while it waits. Each gets the terminal back
// before it takes effect.
constexpr int kFatalSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
constexpr int kFatalSignalCount =
    sizeof(kFatalSignals) / sizeof(kFatalSignals[0]);

// What a signal handler needs to give the terminal back. Only one guard is
// ever active, and only async-signal-safe calls touch this.
int saved_fd = -1;
termios saved_modes{};
volatile sig_atomic_t modes_saved = 0;

extern "C" void restore_and_reraise(int signal_number) {
  if (modes_saved != 0) tcsetattr(saved_fd, TCSAFLUSH, &saved_modes);
  // The handler was installed with SA_RESETHAND, so the default action is
  // back and the signal, blocked while this runs, takes effect on return.
  (void)raise(signal_number);
}

// Puts a terminal into raw mode (no echo, no line editing, no signals from
// keys) and gives the saved modes back on every way out: when it goes out of
// scope, and when a fatal signal ends the process first. Restoring twice is
// harmless.
class RawMode {
 public:
  explicit RawMode(int fd) {
    if (tcgetattr(fd, &saved_modes) != 0) return;
    saved_fd = fd;
    modes_saved = 1;
    catch_fatal_signals();

    termios raw = saved_modes;
    raw.c_iflag &=
        ~static_cast<tcflag_t>(BRKINT | ICRNL | INPCK | ISTRIP | IXON);
    raw.c_cflag |= CS8;
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN | ISIG);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    // Flushing drops keys typed ahead: only a key pressed now ends the wait.
    active_ = tcsetattr(fd, TCSAFLUSH, &raw) == 0;
    if (!active_) restore();
  }

  ~RawMode() { restore(); }

  RawMode(const RawMode&) = delete;
  RawMode& operator=(const RawMode&) = delete;

  [[nodiscard]] bool active() const { return active_; }

  void restore() {
    if (modes_saved == 0) return;
    // Flushing drops whatever the key sent that was not read, so none of it
    // reaches the shell.
    tcsetattr(saved_fd, TCSAFLUSH, &saved_modes);
    modes_saved = 0;
    for (int i = 0; i < kFatalSignalCount; ++i) {
      if (caught_[i]) sigaction(kFatalSignals[i], &previous_[i], nullptr);
    }
  }

 private:
  void catch_fatal_signals() {
    struct sigaction action {};
    action.sa_handler = restore_and_reraise;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kFatalSignalCount; ++i) {
      sigaction(kFatalSignals[i], nullptr, &previous_[i]);
      // A signal ignored by whoever started the program stays ignored.
      if (previous_[i].sa_handler == SIG_IGN) continue;
      caught_[i] = sigaction(kFatalSignals[i], &action, nullptr) == 0;
    }
  }

  bool active_ = false;
  struct sigaction previous_[kFatalSignalCount] {};
  bool caught_[kFatalSignalCount] = {};
};

ssize_t read_retrying(int fd, unsigned char* buffer, size_t size) {
  ssize_t count = 0;
  do {
    count = read(fd, buffer, size);
  } while (count < 0 && errno == EINTR);
  return count;
}

int read_key(int fd) {
  RawMode raw(fd);
  if (!raw.active()) return -1;

  unsigned char key[32];
  if (read_retrying(fd, key, sizeof key) <= 0) return -1;
  // Take the rest of a multi-byte key even if it arrives in pieces.
  pollfd terminal{fd, POLLIN, 0};
  unsigned char rest[32];
  while (poll(&terminal, 1, kKeyBurstGapMs) > 0 &&
         read_retrying(fd, rest, sizeof rest) > 0) {
  }
  return key[0];
}

}  // namespace

std::uint64_t entropy() {
  std::uint64_t bits = 0;
  if (getrandom(&bits, sizeof bits, 0) == sizeof bits) return bits;
  // Kernels without getrandom still differ in time and process id.
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<std::uint64_t>(now.tv_nsec) ^
         (static_cast<std::uint64_t>(now.tv_sec) << 20U) ^
         static_cast<std::uint64_t>(getpid());
}

int getch() {
  // The key comes from the controlling terminal itself, never from standard
  // input, which may be a file or hold unread text. No terminal, no wait.
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int key = read_key(fd);
  close(fd);
  return key;
}

}  // namespace platform
