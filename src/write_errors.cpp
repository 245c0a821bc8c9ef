#include "write_errors.h"

#include <cerrno>
#include <cstring>

WriteErrorWatch::WriteErrorWatch(std::ostream& stream)
    : stream_(stream), target_(stream.rdbuf(this)) {}

WriteErrorWatch::~WriteErrorWatch() { stream_.rdbuf(target_); }

int WriteErrorWatch::report(const char* program, std::ostream& report) const {
  if (!failed_ && !stream_.bad()) return 0;
  report << program << ": write error";
  if (error_ != 0) report << ": " << std::strerror(error_);
  report << std::endl;
  return 1;
}

WriteErrorWatch::int_type WriteErrorWatch::overflow(int_type byte) {
  if (traits_type::eq_int_type(byte, traits_type::eof())) {
    return traits_type::not_eof(byte);
  }
  const int_type written = target_->sputc(traits_type::to_char_type(byte));
  if (traits_type::eq_int_type(written, traits_type::eof())) note_failure();
  return written;
}

std::streamsize WriteErrorWatch::xsputn(const char* bytes,
                                        std::streamsize count) {
  const std::streamsize written = target_->sputn(bytes, count);
  if (written != count) note_failure();
  return written;
}

int WriteErrorWatch::sync() {
  const int result = target_->pubsync();
  if (result != 0) note_failure();
  return result;
}

void WriteErrorWatch::note_failure() {
  // errno still describes the failed write only until the next system call.
  if (!failed_) error_ = errno;
  failed_ = true;
}
