// core/line_reader.cpp — line reading over a non-blocking open of a regular file, with a line length cap.
#include "core/line_reader.h"

#include "core/system_reason.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int open_regular_file(const std::string& path, std::string* why)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (why)
            *why = system_reason(errno);
        return -1;
    }
    struct stat info = {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const bool folder = S_ISDIR(info.st_mode);
        close(fd);
        if (why)
            *why = folder ? system_reason(EISDIR) : "ce n'est pas un fichier ordinaire";
        return -1;
    }
    // Reads of a regular file never wait for a writer; the flag is cleared all the same.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

LineReader::LineReader(const std::string& path)
{
    std::string unix_path = path;
    for (char& c : unix_path)
        if (c == '\\')
            c = '/';
    fd_ = open_regular_file(unix_path, &why_);
    if (fd_ >= 0)
        buffer_.resize(size_t(64) << 10);
}

LineReader::~LineReader()
{
    if (fd_ >= 0)
        close(fd_);
}

// Refills the buffer; false at the end of the file or on a failed read.
bool LineReader::fill()
{
    if (fd_ < 0 || at_end_)
        return false;
    for (;;) {
        const ssize_t n = read(fd_, buffer_.data(), buffer_.size());
        if (n > 0) {
            start_ = 0;
            end_ = static_cast<size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            why_ = system_reason(errno);
        at_end_ = true;
        return false;
    }
}

bool LineReader::next(std::string& line)
{
    line.clear();
    if (failed())
        return false;
    bool any = false;
    for (;;) {
        if (start_ == end_ && !fill())
            break;
        any = true;
        const char* from = buffer_.data() + start_;
        const void* lf = std::memchr(from, '\n', end_ - start_);
        const size_t length = lf ? static_cast<size_t>(static_cast<const char*>(lf) - from) : end_ - start_;
        if (line.size() + length > kMaxLineBytes) {
            why_ = "ligne de plus de 64 Mo";
            line.clear();
            line.shrink_to_fit();
            return false;
        }
        line.append(from, length);
        start_ += length;
        if (lf) {
            start_++;
            // A CR before the LF belongs to the line end; any other CR stays.
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
    }
    if (failed()) {
        line.clear();
        return false;
    }
    // The last line needs no LF; a CR that ends the file belongs to the line end.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}
