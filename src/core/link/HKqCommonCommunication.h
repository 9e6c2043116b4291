#pragma once

#include "link/BlockRange.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace kq70 {

class CancelFlag;
class Clock;
class CommProgress;
class HCommRequest;
class HSerialPort;
class RadioImage;

// The two memory areas of the clone protocol.
enum BlockArea : int {
    AREA_EEPROM = 0, // 256 words of 2 bytes at buffer offset 2·a
    AREA_FLASH = 1,  // pages of 128 bytes at buffer offset 0x200 + 128·a
};

// The clone protocol's primitives, on which every radio job is built: opening the port for
// a job, the handshake into clone or adjustment mode, one block read or written, the reset
// command, and moving whole range lists with the progress bar. Each call takes the job's
// request and leaves its failure code there (1 communication error, 2 time-out).
class HKqCommonCommunication {
public:
    static constexpr std::size_t FLASH_BASE = 512;
    static constexpr int HANDSHAKE_ATTEMPTS = 10;
    static constexpr std::uint8_t LAST_FLASH_PAGE = 0x4F;
    static constexpr std::uint8_t MAX_WRITE_FLASH_LAST = 0x42;
    static constexpr std::uint8_t MIN_ALIGNMENT_FLASH_LAST = 13;
    static constexpr std::size_t EEPROM_WORDS_PER_PROGRESS_STEP = 64;

    HKqCommonCommunication(HSerialPort& port, CommProgress& progress, Clock& clock);
    virtual ~HKqCommonCommunication() = default;
    HKqCommonCommunication(const HKqCommonCommunication&) = delete;
    HKqCommonCommunication& operator=(const HKqCommonCommunication&) = delete;

    // Port kind, echo flag, port number or name and line settings from the request, then
    // Open; true when it opened.
    virtual bool OpenPortForJob(HCommRequest& request);
    // The request's data bits, stop bits, parity and baud rate into the port's settings.
    virtual void ConfigurePort(HCommRequest& request);
    // The flag that asks a running job to stop: the handshake wait and the range lists look
    // at it before every attempt and every block. None: the job cannot be stopped.
    void SetCancelFlag(const CancelFlag* cancel) { m_cancel = cancel; }
    // True once a wait or a list ended because the flag was set.
    bool StoppedByCancel() const { return m_stoppedByCancel; }

    // The port's identity bytes; no transfer reads them.
    virtual void SetupPortIdentity();
    // Waits up to ten reads for the radio's check byte and answers it with the clone-mode
    // command. With `probeFirst` a radio still in clone mode is found by reading EEPROM
    // word 0 and the handshake is skipped. Ten reads without the check byte leave code 0.
    virtual bool SetCloneMode(HCommRequest& request, bool probeFirst);
    // The same handshake answered with the adjustment-mode command.
    virtual bool SetAdjMode(HCommRequest& request);
    // One exchange; the send is tried 1 + `retries` times, the answer once. On success the
    // unit lands in `buffer`; on any failure the buffer is untouched.
    virtual bool ReadBlock(int area, std::uint8_t address, int retries, RadioImage& buffer,
                           HCommRequest& request);
    // Sends the unit from `buffer`; codes go into `request` only when there is one.
    virtual bool WriteBlock(int area, std::uint8_t address, int retries, const RadioImage& buffer,
                            HCommRequest* request);
    // 0 when the reset command went out, 1 otherwise.
    int SendReset(HCommRequest& request);

    // The flash page a "last" of 0xFF stands for: the page after the last channel record of
    // a radio with `capacity` channels, capped at 0x42 for writes, at least 13 for the
    // alignment jobs 2–4, and never past the last flash page.
    static std::uint8_t ResolvedFlashLast(std::uint8_t first, int capacity, bool forWrite,
                                          std::uint32_t jobNumber);
    // Resolves every "last" of 0xFF in `ranges` with the capacity of `image`; returns the
    // number of flash pages the list then names.
    static int ResolveFlashRanges(RangeList& ranges, const RadioImage& image, bool forWrite,
                                  std::uint32_t jobNumber);
    // Resolve the read list with the work buffer's capacity, or the write list with the
    // image's, and set the progress bar's range to its pages. False without the buffer.
    bool PrepareReadPhase(HCommRequest& request);
    bool PrepareWritePhase(HCommRequest& request);

    // Every unit of `ranges` in order; the progress moves after every 64 EEPROM words and
    // after every flash page. The first failure ends the list.
    bool ReadList(int area, const RangeList& ranges, RadioImage& buffer, HCommRequest& request);
    bool WriteList(int area, const RangeList& ranges, const RadioImage& buffer,
                   HCommRequest& request);

protected:
    HSerialPort& GetPort() { return m_port; }
    CommProgress& GetProgress() { return m_progress; }
    Clock& GetClock() { return m_clock; }
    // A new phase of the progress bar: 0 to `high`, position 0.
    void StartProgress(int high);
    // True when the user asked the job to stop; remembered for StoppedByCancel().
    bool StopRequested();

private:
    bool WaitForCheckCommand(HCommRequest& request, std::uint8_t answer);
    bool SendFrame(std::span<const std::uint8_t> frame, int retries, HCommRequest* request);
    void StepProgress(int area);

    HSerialPort& m_port;
    CommProgress& m_progress;
    Clock& m_clock;
    int m_progressPosition = 0;
    std::size_t m_wordsSinceStep = 0;
    const CancelFlag* m_cancel = nullptr;
    bool m_stoppedByCancel = false;
};

} // namespace kq70
