#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace chanora::testing {

// The replies of the flash loader that a fault can be put on.
enum class LoaderStep { Request, ConnectConfirm, HeaderAck, DescriptorAck, PacketAck, DisAck, Verdict };

// Nak: ERR in place of the reply. Drop: no reply. Garble: the reply with one
// byte flipped. Slow: the reply after slowDelay. HangUp: the line goes dead
// (the master side is closed). Junk: junkBytes stray bytes before the reply.
enum class FaultKind { Nak, Drop, Garble, Slow, HangUp, Junk };

struct Fault {
  LoaderStep step;
  int occurrence = 1;  // 1-based count of that reply within the session; 0 = every time
  FaultKind kind;
};

struct LoaderOptions {
  std::vector<Fault> faults;
  bool silent = false;                            // never sends a request (receiver left off)
  bool verdictOk = true;                          // POK, else PER
  bool paceAtLineRate = false;                    // 10 bits a byte at 115200 baud, both directions
  std::chrono::milliseconds requestInterval{20};  // HEI repeated while unanswered
  std::chrono::milliseconds slowDelay{300};       // FaultKind::Slow
  int junkBytes = 3;                              // FaultKind::Junk: bytes of junk put before the frame
  // How long the loader waits for the PC once connected before it gives up.
  std::chrono::milliseconds pcTimeout{10000};
  // Told each thing the loader does, from the session thread.
  std::function<void(const std::string&)> onEvent;
};

struct LoaderReport {
  bool connected = false;             // HEI answered with ACK, NXT sent
  std::string header;                 // DN_HEADER as received
  std::vector<std::string> packets;   // each accepted packet as received (12 + L + 4 bytes)
  std::vector<std::string> problems;  // what the loader found wrong; any of them makes the verdict PER
  bool disReceived = false;
  bool verdictSent = false;
  std::string framesFromPc;  // e.g. "ACK HDR NXT DSC NXT PKT ... DIS"
};

struct ConsoleOptions {
  std::string listText;         // formatted text (CR LF lines) the console prints on "dumpch",
                                // up to its "[END]" line; an "[END]" line is added when it has none
  bool echoCommand = true;      // echoes what is typed, as a console does
  std::string noise = "STB> ";  // printed around the list, outside "||" markers
  long silenceAfterBytes = -1;  // stop printing (stay silent) after this many list bytes
  long hangUpAfterBytes = -1;   // close the master after this many list bytes
  bool omitEnd = false;         // never prints "[END]" (the list stops before its "[END]" line)
  long floodBytes = 0;          // junk bytes (no "||") printed before the list
  long longLineBytes = 0;       // one line of this many bytes behind "||" before the list
  bool paceAtLineRate = false;
  // How long the console waits for the PC once the list was asked for.
  std::chrono::milliseconds pcTimeout{10000};
  std::function<void(const std::string&)> onEvent;
  bool hangUpBeforeGo = false;  // the line goes dead once the PC has closed the port after the printout
};

struct ConsoleReport {
  bool woke = false;
  bool commandReceived = false;
  bool goReceived = false;  // "go" CR LF typed after the list was printed
  std::string typed;        // every byte the PC sent
  int portOpens = 0;        // times the PC opened the port during the session
};

// A receiver on a pseudo-terminal: the PC side opens DevicePath() as its serial
// port. One session (a flash download or a console upload) at a time runs in a
// background thread; every wait in it is bounded, and Stop() ends it promptly.
//
// The loader sends HEI only while the PC has the port open, and at once again
// when the PC answers ERR while connecting. A header, descriptor or packet
// repeated after a lost reply is acknowledged again, not taken twice. The
// verdict follows the first DIS whose ACK went out intact; after it the session
// ends when the PC closes the port. A NXT that no DN_HEADER follows within a
// second sends the loader back to asking.
//
// The console sleeps until it sees CR, LF or ESC; it takes typed lines with
// CR, LF or CR LF, ESC cancelling a line. "go" counts only after the list was
// printed, in whatever port cycle it comes.
class SimulatedReceiver {
 public:
  SimulatedReceiver();  // opens the pty pair; throws std::runtime_error on failure
  ~SimulatedReceiver();
  SimulatedReceiver(const SimulatedReceiver&) = delete;
  SimulatedReceiver& operator=(const SimulatedReceiver&) = delete;

  // The slave, e.g. /dev/pts/3. A HangUp fault kills the pair; the next Start
  // makes a new one, which may have another path.
  const std::string& DevicePath() const { return devicePath_; }

  void StartFlashLoader(LoaderOptions options);  // serves one download
  void StartConsole(ConsoleOptions options);     // serves one upload (both port cycles)
  // Waits for the session to end; past the limit it is stopped and the
  // report tells so.
  LoaderReport WaitLoader(std::chrono::milliseconds limit = std::chrono::seconds(60));
  ConsoleReport WaitConsole(std::chrono::milliseconds limit = std::chrono::seconds(60));
  bool Running() const;
  void Stop();

 private:
  void OpenPair();
  void Launch(std::function<void()> session);
  bool WaitFinished(std::chrono::milliseconds limit);

  int master_ = -1;
  int watch_ = -1;  // opens and closes of the slave, as they happen
  std::string devicePath_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable finished_;
  bool running_ = false;
  LoaderReport loaderReport_;
  ConsoleReport consoleReport_;
};

}  // namespace chanora::testing
