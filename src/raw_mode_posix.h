// Raw mode on a POSIX terminal for as long as a key is awaited, given back on
// every way out: the end of the wait, job control and fatal signals.

#ifndef AVTO_RAW_MODE_POSIX_H_
#define AVTO_RAW_MODE_POSIX_H_

// Puts the terminal `fd` into raw mode (no echo, no line editing, no signals
// from keys) and promises that the modes it found come back:
// - when it goes out of scope;
// - before the process stops (SIGTSTP, SIGTTIN, SIGTTOU); on SIGCONT it
//   takes the terminal's modes afresh and enters raw mode again;
// - before any other catchable signal ends the process, which then ends by
//   that same signal. Signals ignored at the start stay ignored.
// The terminal is only ever touched from the foreground, so giving it back
// can neither stop the process nor overwrite the modes of the program that
// holds the terminal meanwhile. Restoring twice is harmless. Only one guard
// may exist at a time, since signal handlers are process-wide.
class RawMode {
 public:
  explicit RawMode(int fd);
  ~RawMode() { restore(); }

  RawMode(const RawMode&) = delete;
  RawMode& operator=(const RawMode&) = delete;

  // False when `fd` is no terminal or refused raw mode.
  [[nodiscard]] bool active() const { return active_; }

  // Gives the terminal back and the signals their previous actions.
  void restore();

 private:
  bool active_ = false;
};

#endif  // AVTO_RAW_MODE_POSIX_H_
