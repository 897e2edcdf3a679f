#include "transfer/ZipPackage.h"

#include "support/ESubroutineError.h"

#include <zip.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace ndlemo {

namespace {
constexpr int DeflateLevel = 6;
constexpr int SampleCount = 8;
constexpr size_t SampleSize = 32 * 1024;

// An open archive that is discarded (nothing written) unless it was closed.
class TZipArchive {
public:
    explicit TZipArchive(zip_t* archive) : m_Archive(archive) {}
    ~TZipArchive() {
        if (m_Archive)
            zip_discard(m_Archive);
    }
    TZipArchive(const TZipArchive&) = delete;
    TZipArchive& operator=(const TZipArchive&) = delete;

    [[nodiscard]] zip_t* Get() const { return m_Archive; }
    [[nodiscard]] std::string Error() const { return zip_strerror(m_Archive); }
    // Writes the archive; raises with libzip's reason.
    void Close() {
        if (zip_close(m_Archive) != 0)
            throw ESubroutineError(Error());
        m_Archive = nullptr;
    }

private:
    zip_t* m_Archive;
};

TZipArchive Open(const fs::path& zipFile, int flags) {
    int code = 0;
    zip_t* archive = zip_open(zipFile.c_str(), flags, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw ESubroutineError(reason);
    }
    return TZipArchive(archive);
}

void RemoveOldArchive(const fs::path& zipFile) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(zipFile, ec)))
        return;
    if (!fs::remove(zipFile, ec) || ec)
        throw ESubroutineError("Soubor \"%s\" nejde vymazat", zipFile.string());
}

// Deflated entries that came out larger than their file are stored instead.
void StoreWhatGrew(const fs::path& zipFile) {
    TZipArchive archive = Open(zipFile, 0);
    bool changed = false;
    const zip_int64_t count = zip_get_num_entries(archive.Get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive.Get(), static_cast<zip_uint64_t>(i), 0, &st) != 0)
            throw ESubroutineError(archive.Error());
        if (st.comp_method == ZIP_CM_DEFLATE && st.comp_size > st.size) {
            if (zip_set_file_compression(archive.Get(), static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0) != 0)
                throw ESubroutineError(archive.Error());
            changed = true;
        }
    }
    if (changed)
        archive.Close();
}
} // namespace

bool LooksIncompressible(const fs::path& file) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size <= ProbeThreshold)
        return false;
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* p) {
        close(*p);
        delete p;
    });

    z_stream stream{};
    if (deflateInit2(&stream, DeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    std::vector<unsigned char> in(SampleSize);
    std::vector<unsigned char> out(deflateBound(&stream, SampleSize));
    bool shrinks = false;
    for (int k = 0; k < SampleCount && !shrinks; ++k) {
        const auto offset =
            static_cast<off_t>((size - SampleSize) * static_cast<std::uintmax_t>(k) / (SampleCount - 1));
        const ssize_t n = pread(fd, in.data(), in.size(), offset);
        if (n <= 0) {
            shrinks = true;
            break;
        }
        deflateReset(&stream);
        stream.next_in = in.data();
        stream.avail_in = static_cast<uInt>(n);
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END || stream.total_out < static_cast<uLong>(n))
            shrinks = true;
    }
    deflateEnd(&stream);
    return !shrinks;
}

void BuildZipPackage(const fs::path& zipFile, const std::vector<TZipEntry>& entries) {
    RemoveOldArchive(zipFile);
    {
        TZipArchive archive = Open(zipFile, ZIP_CREATE | ZIP_EXCL);
        for (const auto& entry : entries) {
            zip_source_t* source = zip_source_file(archive.Get(), entry.File.c_str(), 0, -1);
            if (!source)
                throw ESubroutineError("%s: %s", entry.File.string(), archive.Error());
            const zip_int64_t index = zip_file_add(archive.Get(), entry.Name.c_str(), source, ZIP_FL_ENC_GUESS);
            if (index < 0) {
                zip_source_free(source);
                throw ESubroutineError("%s: %s", entry.Name, archive.Error());
            }
            const bool store = LooksIncompressible(entry.File);
            if (zip_set_file_compression(archive.Get(), static_cast<zip_uint64_t>(index),
                                         store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, store ? 0 : DeflateLevel) != 0)
                throw ESubroutineError(archive.Error());
        }
        archive.Close();
    }
    try {
        StoreWhatGrew(zipFile);
    } catch (...) {
        std::error_code ec;
        fs::remove(zipFile, ec);
        throw;
    }
}

} // namespace ndlemo
