// Reading, writing and booking of the top-ten table.
#include "scores/ScoreFile.h"

#include "platform/Errors.h"
#include "platform/FileLock.h"
#include "platform/Win1252.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ScoreFileWriteFunction writeFunction = nullptr;

std::string SystemError(int error)
{
    return std::strerror(error);
}

// Byte reader over the file that knows the current line number for error messages.
class RecordReader {
public:
    RecordReader(std::FILE* file) : file_(file) {}

    int peek()
    {
        const int c = std::getc(file_);
        if (c == EOF) {
            checkError();
            return EOF;
        }
        std::ungetc(c, file_);
        return c;
    }

    int get()
    {
        const int c = std::getc(file_);
        if (c == EOF)
            checkError();
        else if (c == '\n' || (c == '\r' && peek() != '\n'))
            ++line_;
        return c;
    }

    // Skips blanks and line breaks; false at the end of the file.
    bool skipBlanks()
    {
        for (;;) {
            const int c = peek();
            if (c == EOF)
                return false;
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                return true;
            get();
        }
    }

    // Consumes the rest of the current line and its line end (CR LF, LF or a lone CR).
    void skipLine()
    {
        for (;;) {
            const int c = get();
            if (c == EOF || c == '\n')
                return;
            if (c == '\r') {
                if (peek() == '\n')
                    get();
                return;
            }
        }
    }

    // The rest of the current line, its line end consumed.
    std::string readLine()
    {
        std::string text;
        for (;;) {
            const int c = peek();
            if (c == EOF || c == '\r' || c == '\n')
                break;
            text.push_back(static_cast<char>(get()));
        }
        skipLine();
        return text;
    }

    // A decimal integer after blanks and line breaks; the rest of its line is discarded.
    std::int32_t readInteger()
    {
        if (!skipBlanks())
            throw EInOutError("Read beyond end of file");
        const int line = line_;
        std::string token;
        while (peek() != EOF && peek() > ' ')
            token.push_back(static_cast<char>(get()));
        skipLine();

        std::size_t i = 0;
        const bool negative = token[0] == '-';
        if (token[0] == '+' || token[0] == '-')
            ++i;
        if (i == token.size())
            throw invalidNumber(token, line);
        std::int64_t value = 0;
        for (; i < token.size(); ++i) {
            if (token[i] < '0' || token[i] > '9')
                throw invalidNumber(token, line);
            value = value * 10 + (token[i] - '0');
            if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
                throw invalidNumber(token, line);
        }
        if (negative)
            value = -value;
        if (value < std::numeric_limits<std::int32_t>::min()
            || value > std::numeric_limits<std::int32_t>::max())
            throw invalidNumber(token, line);
        return static_cast<std::int32_t>(value);
    }

    int line() const { return line_; }

private:
    void checkError()
    {
        if (std::ferror(file_))
            throw EInOutError(SystemError(errno));
    }

    static EInOutError invalidNumber(const std::string& token, int line)
    {
        return EInOutError("Invalid number \"" + token + "\" on line " + std::to_string(line));
    }

    std::FILE* file_;
    int line_ = 1;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// write(2) until everything is written or an error occurs.
void WriteAll(int fd, const std::string& data)
{
    const ScoreFileWriteFunction write = writeFunction ? writeFunction : ::write;
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw EInOutError(SystemError(errno));
        }
        if (n == 0)
            throw EInOutError(SystemError(EIO));
        done += static_cast<std::size_t>(n);
    }
}

mode_t NewFileMode(const std::string& path)
{
    struct stat old {};
    // The old file's mode, but always readable and writable by its owner: a file the game
    // could not read must not come back unreadable.
    if (::stat(path.c_str(), &old) == 0)
        return (old.st_mode & 07777) | S_IRUSR | S_IWUSR;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string DirectoryOf(const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

} // namespace

void ClearScoreTable(ScoreTable& table)
{
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise)
        table[exercise].fill(TScoreEntry{});
}

std::string CleanScoreName(std::string name)
{
    if (name.size() > MaxScoreNameLength)
        name.resize(MaxScoreNameLength);
    for (char& c : name)
        if (c == '\r' || c == '\n')
            c = ' ';
    return name;
}

std::string ScoreNameFromText(const QString& text)
{
    return CleanScoreName(ToWin1252(text));
}

void ReadScoreFile(const std::string& path, ScoreTable& table)
{
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        if (errno == ENOENT)
            throw EFileNotFound("File \"" + path + "\" not found.");
        throw EFileOpenFailed("File open failed: " + SystemError(errno));
    }
    RecordReader reader(file.get());
    while (reader.skipBlanks()) {
        const int line = reader.line();
        const std::int32_t exercise = reader.readInteger();
        const std::int32_t rank = reader.readInteger();
        std::string name = reader.readLine();
        const std::int32_t score = reader.readInteger();
        if (exercise > ScoreExercises || rank > ScoreRanks)
            continue;
        if (exercise < 1 || rank < 1)
            throw EInOutError("Exercise " + std::to_string(exercise) + ", rank "
                              + std::to_string(rank) + " out of range in the record on line "
                              + std::to_string(line));
        TScoreEntry& entry = table[exercise][rank];
        entry.Name = CleanScoreName(std::move(name));
        entry.Score = score;
    }
}

std::string FormatScoreFile(const ScoreTable& table)
{
    std::string text;
    text.reserve(ScoreExercises * ScoreRanks * 16);
    for (int exercise = 1; exercise <= ScoreExercises; ++exercise) {
        for (int rank = 1; rank <= ScoreRanks; ++rank) {
            const TScoreEntry& entry = table[exercise][rank];
            text += std::to_string(exercise) + "\r\n";
            text += std::to_string(rank) + "\r\n";
            text += CleanScoreName(entry.Name) + "\r\n";
            text += std::to_string(entry.Score) + "\r\n";
        }
    }
    return text;
}

namespace {

// The temporary file of a save: the file's name, this, and six random characters.
constexpr const char* TemporaryInfix = ".saving.";

// A save killed before its rename leaves its temporary file behind. One older than this cannot
// belong to a save still running, so the next save removes it.
constexpr auto StaleTemporaryAge = std::chrono::minutes(10);

void RemoveStaleTemporaries(const std::string& path)
{
    const std::filesystem::path target(path);
    const std::string prefix = target.filename().string() + TemporaryInfix;
    std::error_code error;
    std::filesystem::directory_iterator entries(target.parent_path().empty() ? "." : target.parent_path(), error);
    if (error)
        return;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        const bool temporary = name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0;
        if (!temporary || !entry.is_regular_file(error))
            continue;
        const auto written = entry.last_write_time(error);
        if (!error && now - written > StaleTemporaryAge)
            std::filesystem::remove(entry.path(), error);
    }
}

} // namespace

void WriteScoreFile(const std::string& path, const ScoreTable& table)
{
    const std::string text = FormatScoreFile(table);
    RemoveStaleTemporaries(path);

    // A new file beside the old one, renamed over it only when complete: a full disk or a
    // crash half-way never leaves a truncated top-ten file.
    std::string temp = path + TemporaryInfix + "XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw EInOutError(SystemError(errno));
    try {
        if (::fchmod(fd, NewFileMode(path)) != 0)
            throw EInOutError(SystemError(errno));
        WriteAll(fd, text);
        if (::fsync(fd) != 0)
            throw EInOutError(SystemError(errno));
        const int closed = ::close(fd);
        fd = -1;
        if (closed != 0)
            throw EInOutError(SystemError(errno));
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        throw EInOutError(SystemError(error));
    }
    // Make the rename itself durable; a failure here no longer endangers the data.
    const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void WriteOverDamagedScoreFile(const std::string& path, const ScoreTable& table)
{
    try {
        KeepFileAside(path);
    } catch (const EInOutError&) {
        // Its results cannot be kept; the new ones still can.
    }
    WriteScoreFile(path, table);
}

int SaveScore(const std::string& path, int exercise, int score, const std::string& name,
              ScoreTable& table)
{
    const FileLock lock(path);
    ClearScoreTable(table);
    bool damaged = false;
    try {
        ReadScoreFile(path, table);
    } catch (const EFileNotFound&) {
        // A first save.
    } catch (const EInOutError&) {
        damaged = true;
    }
    const int rank = InsertScore(table, exercise, score);
    if (rank > 0)
        table[exercise][rank].Name = CleanScoreName(name);
    if (damaged)
        WriteOverDamagedScoreFile(path, table);
    else
        WriteScoreFile(path, table);
    return rank;
}

int InsertScore(ScoreTable& table, int exercise, int score)
{
    Array1<TScoreEntry, ScoreRanks>& list = table[exercise];
    // Every stored score should be at least 0, so this only matters for a damaged file with
    // negative scores, where a look at the list (score -1) must still enter nothing.
    if (score < 1)
        return 0;
    for (int rank = 1; rank <= ScoreRanks; ++rank) {
        if (list[rank].Score < score) {
            for (int r = ScoreRanks; r > rank; --r)
                list[r] = list[r - 1];
            list[rank] = TScoreEntry{score, UnknownScoreName};
            return rank;
        }
    }
    return 0;
}

void SetScoreFileWriteFunction(ScoreFileWriteFunction function)
{
    writeFunction = function;
}
