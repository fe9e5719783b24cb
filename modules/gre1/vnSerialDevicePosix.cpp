#include "modules/gre1/vnSerialDevicePosix.h"

#include "channels/vnWords.h"
#include "modules/gre1/vnSerialPort.h"
#include "modules/gre1/vnSerialQueueDrain.h"
#include "res/ResourceIds.h"

#if defined(__linux__)
#include "modules/gre1/vnSerialSpeedLinux.h"
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

std::string SystemText(int error)
{
    return std::system_category().message(error);
}

int PollTimeout(Clock::duration remaining)
{
    auto ms = std::chrono::ceil<std::chrono::milliseconds>(remaining).count();
    if (ms < 0)
        return 0;
    return ms > 60000 ? 60000 : static_cast<int>(ms);
}
} // namespace

std::unique_ptr<vnSerialDevice> vnSerialDevice::MakeSystemDevice()
{
    return std::make_unique<vnSerialDevicePosix>();
}

vnSerialDevicePosix::~vnSerialDevicePosix()
{
    Release();
}

std::string vnSerialDevicePosix::FirstInFolder(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        names.push_back(entry->path().string());
    return names.empty() ? std::string() : *std::min_element(names.begin(), names.end());
}

std::string vnSerialDevice::SystemUsbSerialPort()
{
    // Where udev links each USB serial adapter under its maker, model and serial number.
    return vnSerialDevicePosix::FirstInFolder("/dev/serial/by-id");
}

std::string vnSerialDevice::MissingAdapterHint()
{
    return {};
}

bool vnSerialDevicePosix::DevicePath(const std::string& name, std::string* path)
{
    if (name.find('\0') != std::string::npos)
        return false;
    if (!name.empty() && name.front() == '/') {
        *path = name;
        return true;
    }
    std::uint32_t number = 0;
    if (!ParseComName(name, &number))
        return false;
    *path = "/dev/ttyS" + std::to_string(number - 1);
    return true;
}

speed_t vnSerialDevicePosix::SpeedConstant(std::uint32_t baudRate)
{
    switch (baudRate) {
    case 110:
        return B110;
    case 134:
        return B134;
    case 150:
        return B150;
    case 200:
        return B200;
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 1800:
        return B1800;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    default:
        return B0;
    }
}

termios vnSerialDevicePosix::MakeLineSettings(const termios& current, std::uint32_t baudRate, std::uint8_t stopBits,
                                              bool* customSpeed)
{
    termios line = current;
    line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                                           IXANY | INPCK | IMAXBEL
#ifdef IUCLC
                                           | IUCLC
#endif
    );
    line.c_oflag &= ~static_cast<tcflag_t>(OPOST | ONLCR | OCRNL | ONOCR | ONLRET
#ifdef OLCUC
                                           | OLCUC
#endif
    );
    line.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
    tcflag_t cleared = CSIZE | PARENB | PARODD | CSTOPB | HUPCL;
#ifdef CRTSCTS
    cleared |= CRTSCTS;
#endif
#ifdef CMSPAR
    cleared |= CMSPAR;
#endif
    line.c_cflag &= ~cleared;
    line.c_cflag |= CS8 | CREAD | CLOCAL;
    // Code 1 (one and a half) cannot be had with 8 data bits; it is one.
    if (stopBits == 2)
        line.c_cflag |= CSTOPB;

    speed_t constant = SpeedConstant(baudRate);
    *customSpeed = constant == B0;
    if (!*customSpeed) {
        cfsetospeed(&line, constant);
        cfsetispeed(&line, constant);
    }
    return line;
}

std::string vnSerialDevicePosix::Describe(int text, int error) const
{
    return vnWords::Say(text, {m_label, SystemText(error)});
}

bool vnSerialDevicePosix::Open(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits,
                               std::string* reason)
{
    Release();
    std::string path;
    if (!DevicePath(name, &path)) {
        *reason = vnWords::Say(IDS_PORT_NAME_REFUSED, {name});
        return false;
    }
    m_label = path == name ? name : name + " (" + path + ")";
    m_baudRate = baudRate;
    m_stopBits = stopBits;

    // Without O_NONBLOCK the open would wait for carrier. The descriptor
    // stays non-blocking: Write waits itself, with a bound.
    m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        int error = errno;
        if (error == EBUSY)
            *reason = vnWords::Say(IDS_PORT_IN_USE, {m_label});
        else
            *reason = Describe(IDS_PORT_OPEN_FAILED, error);
        return false;
    }

    termios current{};
    if (tcgetattr(m_fd, &current) != 0) {
        *reason = Describe(IDS_PORT_NOT_SERIAL, errno);
        Release();
        return false;
    }
    // TIOCEXCL keeps other users out but root ignores it; flock works for
    // everyone who asks, including other instances of this program.
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        if (error == EWOULDBLOCK)
            *reason = vnWords::Say(IDS_PORT_IN_USE, {m_label});
        else
            *reason = Describe(IDS_PORT_LOCK_FAILED, error);
        Release();
        return false;
    }
    m_locked = true;
    ioctl(m_fd, TIOCEXCL);

    bool customSpeed = false;
    termios line = MakeLineSettings(current, baudRate, stopBits, &customSpeed);
    bool applied = tcsetattr(m_fd, TCSANOW, &line) == 0;
#if defined(__linux__)
    if (applied && customSpeed)
        applied = vnSerialSpeedLinux::Set(m_fd, baudRate);
#else
    if (applied && customSpeed) {
        applied = cfsetospeed(&line, static_cast<speed_t>(baudRate)) == 0 &&
            cfsetispeed(&line, static_cast<speed_t>(baudRate)) == 0 && tcsetattr(m_fd, TCSANOW, &line) == 0;
    }
#endif
    // tcsetattr succeeds when any of the changes took; check the ones that
    // make the line what the scanner expects.
    termios result{};
    if (applied && tcgetattr(m_fd, &result) == 0) {
        tcflag_t checked = CSIZE | PARENB | CSTOPB;
#ifdef CRTSCTS
        checked |= CRTSCTS;
#endif
        if ((result.c_cflag & checked) != (line.c_cflag & checked)) {
            errno = EINVAL;
            applied = false;
        }
    } else {
        applied = false;
    }
    if (!applied) {
        const int error = errno;
        *reason = vnWords::Say(IDS_PORT_LINE_REFUSED,
                               {m_label, std::to_string(baudRate),
                                vnWords::Count(vnCounted::StopBits, stopBits == 2 ? 2 : 1), SystemText(error)});
        Release();
        return false;
    }

    // A pseudo-terminal or adapter without modem lines refuses this; that
    // only means there are no lines to drop.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(m_fd, TIOCMBIC, &lines) != 0 && errno != ENOTTY && errno != EINVAL && errno != EOPNOTSUPP) {
        *reason = Describe(IDS_PORT_DTR_FAILED, errno);
        Release();
        return false;
    }
    return true;
}

bool vnSerialDevicePosix::Write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout,
                                vnSerialWaitObserver* observer, std::string* reason, bool* stopped)
{
    std::size_t done = 0;
    auto lastTaken = Clock::now();
    auto deadline = lastTaken + timeout;
    bool hungUp = false;
    while (done < size) {
        ssize_t written = ::write(m_fd, data + done, size - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
            lastTaken = Clock::now();
            deadline = lastTaken + timeout;
            hungUp = false;
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            *reason = Describe(IDS_PORT_WRITE_FAILED, errno);
            return false;
        }
        if (hungUp) {
            *reason = vnWords::Say(IDS_PORT_HUNG_UP, {m_label});
            return false;
        }

        auto remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero()) {
            *reason = vnWords::Say(IDS_PORT_TOOK_NO_DATA, {m_label, std::to_string(timeout.count())});
            return false;
        }
        if (observer && !observer->OnPortWait(Clock::now() - lastTaken >= vnSerialPort::StallTime)) {
            *stopped = true;
            return false;
        }
        pollfd waiting{m_fd, POLLOUT, 0};
        int ready = ::poll(&waiting, 1, PollTimeout(std::min<Clock::duration>(remaining, WaitSlice)));
        if (ready < 0 && errno != EINTR) {
            *reason = Describe(IDS_PORT_WRITE_FAILED, errno);
            return false;
        }
        // The next write reports the error; if it only says "try again"
        // the device is gone without an error code.
        if (ready > 0 && (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 && (waiting.revents & POLLOUT) == 0)
            hungUp = true;
    }
    return true;
}

std::uint32_t vnSerialDevicePosix::Unsent() const
{
    int pending = 0;
    if (m_fd < 0 || ioctl(m_fd, TIOCOUTQ, &pending) != 0 || pending < 0)
        return 0;
    return static_cast<std::uint32_t>(pending);
}

bool vnSerialDevicePosix::Close(vnSerialWaitObserver* observer, std::string* reason, bool* stopped)
{
    if (m_fd < 0)
        return true;
    bool delivered = true;
    const auto queued = [this]() -> std::optional<std::uint32_t> {
        int count = 0;
        if (ioctl(m_fd, TIOCOUTQ, &count) != 0 || count < 0)
            return std::nullopt;
        return static_cast<std::uint32_t>(count);
    };
    const std::optional<std::uint32_t> pending = queued();
    if (pending && *pending > 0) {
        std::uint32_t left = 0;
        const auto outcome = vnSerialQueueDrain::Wait(*pending, m_baudRate, m_stopBits, observer, queued, &left);
        if (outcome == vnSerialQueueDrain::Outcome::Stopped) {
            *stopped = true;
            Release();
            return false;
        }
        if (outcome == vnSerialQueueDrain::Outcome::Late) {
            delivered = false;
            *reason = vnWords::Count(vnCounted::BytesNotSent, left, {m_label});
            // Otherwise close() itself could wait for them.
            tcflush(m_fd, TCOFLUSH);
        }
    }
    // The driver queue is empty; this waits only for the last characters in
    // the transmitter. A device that has gone away says so here.
    if (delivered && tcdrain(m_fd) != 0 && errno != EINTR) {
        delivered = false;
        *reason = Describe(IDS_PORT_DRAIN_FAILED, errno);
    }

    ioctl(m_fd, TIOCNXCL);
    flock(m_fd, LOCK_UN);
    int fd = m_fd;
    m_fd = -1;
    m_locked = false;
    if (::close(fd) != 0 && errno != EINTR) {
        if (delivered)
            *reason = Describe(IDS_PORT_CLOSE_FAILED, errno);
        return false;
    }
    return delivered;
}

void vnSerialDevicePosix::Release()
{
    if (m_fd < 0)
        return;
    // The queue and the exclusive flag belong to the terminal, not to this
    // descriptor: touch them only while the lock says the line is ours.
    if (m_locked) {
        // Nothing more will be written: drop what is queued so that close()
        // does not wait for it.
        tcflush(m_fd, TCOFLUSH);
        ioctl(m_fd, TIOCNXCL);
    }
    ::close(m_fd);
    m_fd = -1;
    m_locked = false;
}
