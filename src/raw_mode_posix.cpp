#include "raw_mode_posix.h"

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>

namespace {

// Signals that cannot be caught, that do not end the process by default, or
// that stop it (handled on their own); every other one gets the terminal back
// before it takes effect.
constexpr int kNotFatal[] = {SIGKILL,  SIGSTOP, SIGCONT, SIGCHLD, SIGURG,
                             SIGWINCH, SIGTSTP, SIGTTIN, SIGTTOU};
constexpr int kStopSignals[] = {SIGTSTP, SIGTTIN, SIGTTOU};

// Shared with the signal handlers, which only make async-signal-safe calls.
// Handlers run with every signal blocked, so they never interleave.
int terminal = -1;
termios saved{};
termios raw{};
volatile sig_atomic_t terminal_is_raw = 0;
struct sigaction previous[NSIG];
volatile sig_atomic_t caught[NSIG];

bool is_fatal(int signal_number) {
  return std::none_of(std::begin(kNotFatal), std::end(kNotFatal),
                      [=](int other) { return other == signal_number; });
}

void catch_signal(int signal_number, void (*handler)(int), int flags) {
  if (caught[signal_number] != 0) return;
  if (sigaction(signal_number, nullptr, &previous[signal_number]) != 0) {
    return;
  }
  if (previous[signal_number].sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = flags;
  sigfillset(&action.sa_mask);
  caught[signal_number] = sigaction(signal_number, &action, nullptr) == 0;
}

void release_signal(int signal_number) {
  if (caught[signal_number] == 0) return;
  sigaction(signal_number, &previous[signal_number], nullptr);
  caught[signal_number] = 0;
}

bool in_foreground() { return tcgetpgrp(terminal) == getpgrp(); }

bool same_modes(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag &&
         a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
         std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

termios raw_modes_of(const termios& modes) {
  termios result = modes;
  result.c_iflag &=
      ~static_cast<tcflag_t>(BRKINT | ICRNL | INPCK | ISTRIP | IXON);
  result.c_cflag |= CS8;
  result.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN | ISIG);
  result.c_cc[VMIN] = 1;
  result.c_cc[VTIME] = 0;
  return result;
}

// Puts the saved modes back. From the background it leaves the terminal
// alone: whoever holds it now has set modes of its own, and the job-control
// shell put its own back when this process stopped.
void give_back_terminal() {
  if (terminal_is_raw == 0) return;
  sigset_t ttou;
  sigset_t before;
  sigemptyset(&ttou);
  sigaddset(&ttou, SIGTTOU);
  // Blocked, SIGTTOU cannot stop the process should it lose the foreground
  // between the check and the change.
  sigprocmask(SIG_BLOCK, &ttou, &before);
  // Flushing drops whatever the key sent that was not read, so none of it
  // reaches the shell.
  if (in_foreground()) tcsetattr(terminal, TCSAFLUSH, &saved);
  sigprocmask(SIG_SETMASK, &before, nullptr);
  terminal_is_raw = 0;
}

// Enters raw mode with the terminal's present modes as the ones to give
// back, unless the present modes are this process's own raw ones (after an
// outside SIGSTOP nobody put the user's modes back). From the background the
// kernel stops the process with SIGTTOU until it is brought to the front.
bool take_terminal() {
  // With SIGTTOU ignored the kernel would let a background process change
  // the modes under the program in front; do without the terminal instead.
  if (caught[SIGTTOU] == 0 && !in_foreground()) return false;
  termios present{};
  if (tcgetattr(terminal, &present) != 0) return false;
  if (!same_modes(present, raw)) {
    saved = present;
    raw = raw_modes_of(present);
  }
  terminal_is_raw = 1;
  int result = 0;
  do {
    // Flushing drops keys typed ahead: only a key pressed now ends the wait.
    result = tcsetattr(terminal, TCSAFLUSH, &raw);
  } while (result != 0 && errno == EINTR);
  if (result != 0) give_back_terminal();
  return result == 0;
}

extern "C" void on_fatal_signal(int signal_number) {
  give_back_terminal();
  release_signal(signal_number);
  // Blocked while this handler runs, the signal takes effect by its previous
  // action as soon as the handler returns.
  (void)raise(signal_number);
}

extern "C" void on_stop_signal(int signal_number) {
  const int saved_errno = errno;
  give_back_terminal();
  release_signal(signal_number);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal_number);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  (void)raise(signal_number);  // the process stops here
  // Continued. (cppcheck takes raise() for a function that never returns.)
  // cppcheck-suppress unreachableCode
  catch_signal(signal_number, on_stop_signal, SA_RESTART);
  // The kernel drops a stop in an orphaned process group, and no SIGCONT
  // follows then; take the terminal back right away.
  if (in_foreground()) take_terminal();
  errno = saved_errno;
}

extern "C" void on_continue(int /*signal_number*/) {
  const int saved_errno = errno;
  // Continued in the background, the next read stops the process again.
  if (in_foreground()) take_terminal();
  errno = saved_errno;
}

}  // namespace

RawMode::RawMode(int fd) {
  terminal = fd;
  for (int s = 1; s < NSIG; ++s) {
    if (is_fatal(s)) catch_signal(s, on_fatal_signal, 0);
  }
  for (const int s : kStopSignals) catch_signal(s, on_stop_signal, SA_RESTART);
  catch_signal(SIGCONT, on_continue, SA_RESTART);
  active_ = take_terminal();
  if (!active_) restore();
}

void RawMode::restore() {
  sigset_t all;
  sigset_t before;
  sigfillset(&all);
  sigprocmask(SIG_BLOCK, &all, &before);
  active_ = false;
  give_back_terminal();
  for (int s = 1; s < NSIG; ++s) release_signal(s);
  // A signal that came meanwhile now takes its own action, with the terminal
  // already given back.
  sigprocmask(SIG_SETMASK, &before, nullptr);
}
