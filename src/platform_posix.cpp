// The platform layer on POSIX systems: entropy from the kernel and one key
// read from the controlling terminal in raw mode. Only POSIX.1-2024
// interfaces, so the one source serves Linux, macOS and the BSDs.

#include <fcntl.h>
#include <sys/select.h>
#include <unistd.h>
// macOS declares getentropy in <sys/random.h> instead of <unistd.h>.
#if defined(__APPLE__)
#include <sys/random.h>
#endif

#include <cerrno>
#include <cstddef>
#include <ctime>
#include <string_view>

#include "key_decoder.h"
#include "platform.h"
#include "raw_mode_posix.h"

namespace platform {
namespace {

// A lone Esc, or a key whose bytes stop half way, is complete once nothing
// more has come for this long (50 ms): long enough for the rest of a
// sequence split by a slow line, short enough to feel instant.
constexpr suseconds_t kKeyRestMicroseconds = 50'000;

ssize_t read_retrying(int fd, char* buffer, size_t size) {
  ssize_t count = 0;
  do {
    count = read(fd, buffer, size);
  } while (count < 0 && errno == EINTR);
  return count;
}

// select() rather than poll(): macOS's poll() does not support devices and
// answers a terminal with POLLNVAL at once, which would make a lone Esc wait
// for a second key.
bool more_arrives_in_time(int fd) {
  // An fd_set only holds descriptors below FD_SETSIZE. Past it (a parent
  // that left a thousand descriptors open) the key is taken as it stands.
  if (fd >= FD_SETSIZE) return false;
  int ready = 0;
  do {
    fd_set terminal;
    FD_ZERO(&terminal);
    FD_SET(fd, &terminal);
    timeval rest{0, kKeyRestMicroseconds};
    ready = select(fd + 1, &terminal, nullptr, nullptr, &rest);
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

int read_key(int fd) {
  RawMode raw(fd);
  if (!raw.active()) return -1;

  char key[32];
  ssize_t count = read_retrying(fd, key, sizeof key);
  if (count <= 0) return -1;
  auto length = static_cast<std::size_t>(count);
  while (complete_key_length(std::string_view(key, length)) == 0 &&
         length < sizeof key && more_arrives_in_time(fd)) {
    count = read_retrying(fd, key + length, sizeof key - length);
    if (count <= 0) break;
    length += static_cast<std::size_t>(count);
  }
  // Whatever came after the key is dropped when the modes are given back.
  return static_cast<unsigned char>(key[0]);
}

}  // namespace

std::uint64_t entropy() {
  std::uint64_t bits = 0;
  if (getentropy(&bits, sizeof bits) == 0) return bits;
  // Systems without getentropy still differ in time and process id.
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
