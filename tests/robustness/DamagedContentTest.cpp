// Every shipped data file, cut short at many lengths and with single bytes changed, read by
// the loader that reads it: each read either succeeds or ends in EInOutError or ERangeError.
#include "support/TempFolder.h"

#include "data/Areor.h"
#include "data/Language.h"
#include "data/Orter.h"
#include "data/ovningar.h"
#include "map/UKarta.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using Loader = std::function<void(const std::string&)>;

// The loader the game uses for a content file, by its name; empty for an unknown name.
Loader LoaderFor(const std::string& fileName)
{
    std::string name = fileName;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    const auto startsWith = [&](const char* prefix) { return name.rfind(prefix, 0) == 0; };
    if (startsWith("ort"))
        return [](const std::string& path) { COrter().LoadFromFile(path); };
    if (startsWith("area") || name == "vatten.crp")
        return [](const std::string& path) { CAreor().LoadFromFile(path); };
    if (startsWith("hav"))
        return [](const std::string& path) {
            auto map = std::make_unique<CKarta>();
            map->LoadSeaPoints(path);
        };
    if (name == "ovning.crp")
        return [](const std::string& path) { COvningar().LoadFromFile(path); };
    if (name == "lang.crp")
        return [](const std::string& path) {
            ClearLanguageTable();
            LoadLanguageTableFrom(path);
        };
    return {};
}

enum class Outcome { Loaded, InOutError, RangeError, Other };

// What the case in hand is, for the alarm handler: a load that never returns is reported by it.
char currentCase[512];

void OnAlarm(int)
{
    const char text[] = "\nA load did not finish within 20 s: ";
    [[maybe_unused]] ssize_t n = write(STDERR_FILENO, text, sizeof text - 1);
    n = write(STDERR_FILENO, currentCase, std::strlen(currentCase));
    n = write(STDERR_FILENO, "\n", 1);
    _exit(3);
}

Outcome LoadOnce(const Loader& load, const std::string& path, std::string& message)
{
    alarm(20);
    Outcome outcome = Outcome::Loaded;
    try {
        load(path);
    } catch (const EInOutError&) {
        outcome = Outcome::InOutError;
    } catch (const ERangeError&) {
        outcome = Outcome::RangeError;
    } catch (const std::exception& e) {
        message = e.what();
        outcome = Outcome::Other;
    } catch (...) {
        message = "(not a std::exception)";
        outcome = Outcome::Other;
    }
    alarm(0);
    return outcome;
}

// Lengths to cut a file of `size` bytes to: every length of a file up to 32 KiB; of a larger
// one (the area files, where every length would take minutes), or of one whose twin of the same
// kind and size was walked whole (`whole` false), all of the first 2 KiB and the last 600, and
// about 50 evenly spread between.
std::vector<std::size_t> CutLengths(std::size_t size, bool whole = true)
{
    std::vector<std::size_t> lengths;
#ifdef GLOBANA_SAMPLED_CUTS
    whole = false;
#endif
    if (whole && size <= 32 * 1024) {
        for (std::size_t n = 0; n < size; ++n)
            lengths.push_back(n);
        return lengths;
    }
    const std::size_t head = std::min<std::size_t>(size, 2048);
    for (std::size_t n = 0; n < head; ++n)
        lengths.push_back(n);
    const std::size_t tailStart = size > 600 ? size - 600 : 0;
    const std::size_t stride = std::max<std::size_t>(1, (size - std::min(size, head)) / 50);
    for (std::size_t n = head; n < tailStart; n += stride)
        lengths.push_back(n);
    for (std::size_t n = std::max(head, tailStart); n < size; ++n)
        lengths.push_back(n);
    return lengths;
}

struct ContentFile {
    std::string name;
    std::string path;
};

std::vector<ContentFile> ShippedDataFiles()
{
    std::vector<ContentFile> files;
    for (const auto& entry : std::filesystem::directory_iterator(GLOBANA_CONTENT_DIR)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (entry.is_regular_file() && ext == ".crp")
            files.push_back({entry.path().filename().string(), entry.path().string()});
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return files;
}

class DamagedContent : public ::testing::Test {
protected:
    void SetUp() override { previous_ = std::signal(SIGALRM, OnAlarm); }
    void TearDown() override
    {
        std::signal(SIGALRM, previous_);
        ClearLanguageTable();
    }

    // Loads `path` with `load`, recording the case; a foreign exception fails the test.
    void Expect(const Loader& load, const std::string& path, const std::string& what)
    {
        std::snprintf(currentCase, sizeof currentCase, "%s", what.c_str());
        std::string message;
        const Outcome outcome = LoadOnce(load, path, message);
        ++counts_[static_cast<int>(outcome)];
        EXPECT_NE(outcome, Outcome::Other) << what << " threw: " << message;
    }

    TempFolder folder_;
    int counts_[4] = {};

private:
    void (*previous_)(int) = nullptr;
};

TEST_F(DamagedContent, EveryShippedFileHasALoaderAndLoadsWhole)
{
    const std::vector<ContentFile> files = ShippedDataFiles();
    ASSERT_FALSE(files.empty()) << "content folder: " << GLOBANA_CONTENT_DIR;
    for (const ContentFile& file : files) {
        const Loader load = LoaderFor(file.name);
        ASSERT_TRUE(load) << "no loader known for " << file.name;
        std::string message;
        EXPECT_EQ(LoadOnce(load, file.path, message), Outcome::Loaded) << file.name << " " << message;
    }
}

TEST_F(DamagedContent, CutShortAtAnyLength)
{
    std::set<std::string> walked; // the place files of single views are Ort1's records moved
    for (const ContentFile& file : ShippedDataFiles()) {
        const Loader load = LoaderFor(file.name);
        if (!load)
            continue;
        const std::string bytes = ReadBytes(file.path);
        const std::string path = folder_.PathOf(file.name);
        WriteBytes(path, bytes);
        const std::string kind = file.name.substr(0, 3) + std::to_string(bytes.size());
        // Longest first: each cut only shortens the copy.
        std::vector<std::size_t> lengths = CutLengths(bytes.size(), walked.insert(kind).second);
        std::reverse(lengths.begin(), lengths.end());
        for (const std::size_t length : lengths) {
            ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(length)), 0);
            Expect(load, path, file.name + " cut to " + std::to_string(length) + " bytes");
        }
    }
    // The cuts reach both ends: many fail, and the empty files of some formats load.
    EXPECT_GT(counts_[static_cast<int>(Outcome::InOutError)], 0);
    EXPECT_GT(counts_[static_cast<int>(Outcome::Loaded)], 0);
}

TEST_F(DamagedContent, SingleBytesChanged)
{
    std::mt19937 random(20240611);
    for (const ContentFile& file : ShippedDataFiles()) {
        const Loader load = LoaderFor(file.name);
        if (!load)
            continue;
        const std::string bytes = ReadBytes(file.path);
        if (bytes.empty())
            continue;
        const std::string path = folder_.PathOf(file.name);
        WriteBytes(path, bytes);
        const int fd = open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);

        // Every byte of the first record or so with all bits flipped and with only the top bit
        // flipped (length bytes, counts and signs), then 150 places anywhere with a random change.
        std::vector<std::pair<std::size_t, std::uint8_t>> changes;
        for (std::size_t i = 0; i < std::min<std::size_t>(bytes.size(), 128); ++i) {
            changes.emplace_back(i, 0xFF);
            changes.emplace_back(i, 0x80);
        }
        std::uniform_int_distribution<std::size_t> position(0, bytes.size() - 1);
        std::uniform_int_distribution<int> mask(1, 255);
        for (int k = 0; k < 150; ++k)
            changes.emplace_back(position(random), static_cast<std::uint8_t>(mask(random)));

        for (const auto& [at, flip] : changes) {
            const char changed = static_cast<char>(static_cast<std::uint8_t>(bytes[at]) ^ flip);
            ASSERT_EQ(pwrite(fd, &changed, 1, static_cast<off_t>(at)), 1);
            Expect(load, path, file.name + " with byte " + std::to_string(at) + " xor "
                                   + std::to_string(flip));
            ASSERT_EQ(pwrite(fd, &bytes[at], 1, static_cast<off_t>(at)), 1);
        }
        close(fd);
    }
}

} // namespace
