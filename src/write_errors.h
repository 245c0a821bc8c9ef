// Notices when writing to a stream fails and why, which the standard streams
// forget, so that a run whose output was lost does not end as a success.

#ifndef AVTO_WRITE_ERRORS_H_
#define AVTO_WRITE_ERRORS_H_

#include <ostream>
#include <streambuf>

// Slips in front of a stream's buffer for as long as it lives, passing every
// byte through unchanged and keeping the error of the first failed write.
class WriteErrorWatch final : public std::streambuf {
 public:
  explicit WriteErrorWatch(std::ostream& stream);
  ~WriteErrorWatch() override;

  WriteErrorWatch(const WriteErrorWatch&) = delete;
  WriteErrorWatch& operator=(const WriteErrorWatch&) = delete;

  // If any write to the stream failed, writes "<program>: write error" and
  // the reason, when known, as one line to `report`, and returns 1.
  // Otherwise writes nothing and returns 0. Meant as an exit status.
  int report(const char* program, std::ostream& report) const;

 protected:
  int_type overflow(int_type byte) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

 private:
  void note_failure();

  std::ostream& stream_;
  std::streambuf* const target_;
  bool failed_ = false;
  int error_ = 0;
};

#endif  // AVTO_WRITE_ERRORS_H_
