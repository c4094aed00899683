#pragma once
#include <QByteArray>

// The instrument's frames as values: Modbus RTU framing at slave address 0x37, the CRC
// appended low byte first.
namespace orvex {

inline constexpr quint8 kSlaveAddress = 0x37;
inline constexpr char kIdentityCode[] = "\x47\x12\x03\x85";

// A request: the function, a register address and a 16-bit value (a register count, or the
// value written), both high byte first; eight bytes with the CRC.
struct Request {
  quint8 function = 0;
  quint16 address = 0;
  quint16 value = 0;
  QByteArray bytes() const;
  // The registers its reply carries: the count asked for by a register read (functions 3
  // and 5), one for an identification or a write.
  int registerCount() const { return readsRegisters() ? value : 1; }
  bool readsRegisters() const { return function == 0x03 || function == 0x05; }
  bool operator==(const Request&) const = default;
};

// LinkStatus. kReplyRefused: the controller answered with an exception reply.
enum LinkStatusCode : qint16 {
  kReplySound = 0,
  kReplyCrcError = 1,
  kReplyTimeout = 2,
  kReplyRefused = 3
};

// An exception reply to `asked`: slave 0x37, its function with the high bit set, an exception
// code and the CRC; 5 bytes, whatever the request asked for.
bool isExceptionReply(const QByteArray& bytes, const Request& asked);
// Whether bytes that end with their valid CRC answer `asked`: from slave 0x37, for its
// function, and as long as such an answer is (a register reply: its byte count, then that
// many bytes; an identification or a write's acknowledgement: at least the identity code's
// four bytes). An echo of the request, or another station's frame, is no answer.
bool answers(const QByteArray& bytes, const Request& asked);

// The outcome of one exchange: LinkStatus and the reply as received (ReplyText's bytes),
// address, function, byte count and CRC included; empty after a time-out.
struct Reply {
  LinkStatusCode status = kReplySound;
  QByteArray bytes;

  bool sound() const { return status == kReplySound; }
  bool refused() const { return status == kReplyRefused; }
  // Data word i (1-based) of a register reply, its bit pattern kept; 0 beyond the reply.
  qint16 word(int i) const;
  // An identification, or an acknowledged write, carries the identity code after the function.
  bool carriesIdentity() const;
  int exceptionCode() const { return bytes.size() > 2 ? static_cast<quint8>(bytes[2]) : 0; }
};

}  // namespace orvex
