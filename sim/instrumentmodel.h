#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// The simulated ORVEX instrument's protocol: request bytes in, reply bytes out, its
// registers, the reset and the fault modes. Transport-free, so the simulator serves it on a
// pseudo-terminal and the tests' in-memory port serves it in virtual time.
namespace orvex::sim {

constexpr quint8 kSlaveAddress = 0x37;
constexpr int kModelRegister = 0x002D;
constexpr int kResetRegister = 0x0063;
constexpr quint16 kResetValue = 0x270F;
constexpr int kRegisterCount = 256;
constexpr int kConfigRegisters = 63;  // registers 1..63 hold the configuration
inline constexpr char kIdentityCode[] = "\x47\x12\x03\x85";

// What can go wrong, as set from the simulator's command line or by a test.
// A count of -1 means "always", k > 0 "the first k times", 0 never.
struct InstrumentFaults {
  bool noAnswer = false;
  int crcErrors = 0;                   // replies sent with a damaged CRC
  quint16 modelCode = 1;               // value of register 0x002D
  int wrongIdentity = 0;               // identity replies carrying another code
  bool writesWithoutIdentity = false;  // writes acknowledged by echoing the request
  int strayBytes = 0;                  // noise bytes sent before every reply
  qint64 splitGapUs = 0;               // reply sent as two halves this far apart
  int stopAfter = 0;                   // answers only the first k requests
  // Requests refused with an exception reply: this function (0: none), at this register
  // (-1: any), with this exception code; a refused write changes nothing.
  quint8 refusedFunction = 0;
  int refusedRegister = -1;
  quint8 refusalCode = 2;
  int lateByte = 0;  // replies whose last byte comes lateByteUs after the rest
  qint64 lateByteUs = 40'000;
  qint64 resetSilenceUs = 3'000'000;  // silent this long after the reset command
  qint64 turnaroundUs = 2'000;        // from the end of a request to the start of its reply
};

class InstrumentModel {
 public:
  // A piece of a reply, sent `delayUs` after the previous piece (or the request) ended.
  struct Chunk {
    qint64 delayUs = 0;
    QByteArray bytes;
  };
  using Reply = QList<Chunk>;

  explicit InstrumentModel(const InstrumentFaults& faults = {});

  // Bytes as they come off the line, the last of them at `nowUs`. A pause longer than the
  // inter-frame gap drops a half-received frame. Returns the replies due, in order.
  QList<Reply> receive(const QByteArray& bytes, qint64 nowUs);
  // One complete 8-byte request frame (CRC included).
  Reply handleFrame(const QByteArray& frame, qint64 nowUs);

  quint16 reg(int address) const { return registers_.at(static_cast<size_t>(address)); }
  void setReg(int address, quint16 value) { registers_.at(static_cast<size_t>(address)) = value; }
  void loadFactoryConfiguration();
  // Configuration registers 1..63 as a .QVT file text (list style, CR LF).
  QString configurationText() const;
  // Reads 63 decimal values into registers 1..63, all or nothing (*error says what is wrong).
  bool loadConfigurationText(const QString& text, QString* error);

  InstrumentFaults& faults() { return faults_; }
  const InstrumentFaults& faults() const { return faults_; }
  bool rebooting(qint64 nowUs) const { return nowUs < rebootUntilUs_; }
  int requestsAnswered() const { return answered_; }
  int writesStored() const { return writes_; }
  int resets() const { return resets_; }
  qint64 interFrameGapUs() const { return interFrameGapUs_; }
  void setInterFrameGapUs(qint64 us) { interFrameGapUs_ = us; }

 private:
  QByteArray replyTo(const QByteArray& frame, qint64 nowUs);
  QByteArray readRegisters(quint8 function, int start, int count) const;
  QByteArray writeRegister(const QByteArray& frame, int address, quint16 value, qint64 nowUs);
  QByteArray identityReply(quint8 function);
  bool refuses(quint8 function, int address) const;
  Reply deliver(QByteArray reply);
  static bool takeOne(int* counter);

  std::array<quint16, kRegisterCount> registers_{};
  InstrumentFaults faults_;
  QByteArray pending_;
  qint64 lastByteUs_ = 0;
  qint64 interFrameGapUs_ = 50'000;
  qint64 rebootUntilUs_ = 0;
  int requests_ = 0;
  int answered_ = 0;
  int writes_ = 0;
  int resets_ = 0;
};

// A Modbus frame with its CRC appended, low byte first.
QByteArray withCrc(QByteArray frame);

}  // namespace orvex::sim
