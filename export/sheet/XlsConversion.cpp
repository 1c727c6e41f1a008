#include "XlsConversion.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "ChildProcess.h"
#include "CsvRecords.h"
#include "PlatformFiles.h"
#include "SheetError.h"

namespace tally::sheet {

namespace {

constexpr std::chrono::seconds kConverterTimeout{300};

// A private folder for the converter's profile and files. Its own profile keeps a running
// office session from taking the job over, and the fixed ASCII names keep the converter
// clear of locale trouble with the user's file names.
class WorkFolder {
public:
    WorkFolder() {
        if (const int error = platform::makePrivateFolder("tally-xls-", path))
            throw fileError(error, "无法创建临时目录",
                            (std::filesystem::temp_directory_path() / "tally-xls-").string());
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    std::filesystem::path path;
};

// file:///tmp/x on Linux, file:///C:/Users/x on Windows.
std::string fileUrl(const std::filesystem::path& path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string text = path.generic_string();
    if (text.empty() || text[0] != '/') text.insert(0, "/");
    std::string url = "file://";
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~' || c == ':') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

void convert(const std::filesystem::path& converter, const WorkFolder& work, const std::string& filter,
             const std::filesystem::path& input, const std::filesystem::path& expectedOutput,
             const std::function<bool()>& stopRequested) {
    const ProcessResult run =
        runProcess({converter.string(), "-env:UserInstallation=" + fileUrl(work.path / "profile"), "--headless",
                    "--norestore", "--convert-to", filter, "--outdir", work.path.string(), input.string()},
                   work.path / "converter.log", kConverterTimeout, stopRequested);
    if (run.stopped) throw SheetError(sheet_errors::kCancelled, "导出已取消");
    std::error_code ec;
    const auto size = std::filesystem::file_size(expectedOutput, ec);
    if (run.exitCode == 0 && !ec && size > 0) return;
    std::string why = run.timedOut ? "超时未完成" : "退出码 " + std::to_string(run.exitCode);
    throw SheetError(sheet_errors::kConversionFailed, "用 " + converter.string() + " 转换为 " +
                                                          expectedOutput.extension().string() + " 失败（" + why +
                                                          "）: " + run.output);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) throw fileError(errno ? errno : EIO, "无法读取文件", path.string());
    return text;
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw fileError(errno ? errno : EIO, "无法写入文件", path.string());
}

// The value of ` name="..."` in `tag`, with where the attribute starts and ends.
struct Attribute {
    std::size_t begin = std::string::npos, end = 0;
    std::string_view value;
};

Attribute attributeIn(std::string_view tag, std::string_view name) {
    const std::string key = " " + std::string(name) + "=\"";
    const std::size_t at = tag.find(key);
    if (at == std::string_view::npos) return {};
    const std::size_t valueStart = at + key.size();
    const std::size_t quote = tag.find('"', valueStart);
    if (quote == std::string_view::npos) return {};
    return {at, quote + 1, tag.substr(valueStart, quote - valueStart)};
}

}  // namespace

std::string withAsianFontsAsWestern(std::string_view fods) {
    static constexpr std::string_view kTag = "<style:text-properties";
    std::string out;
    out.reserve(fods.size() + fods.size() / 16);
    std::size_t pos = 0;
    while (true) {
        const std::size_t start = fods.find(kTag, pos);
        const std::size_t end = start == std::string_view::npos ? start : fods.find('>', start);
        if (end == std::string_view::npos) break;
        out.append(fods.substr(pos, start - pos));
        std::string tag(fods.substr(start, end - start));
        const Attribute western = attributeIn(tag, "style:font-name");
        if (western.begin != std::string::npos) {
            const std::string font(western.value);
            const Attribute asian = attributeIn(tag, "style:font-name-asian");
            if (asian.begin != std::string::npos) tag.erase(asian.begin, asian.end - asian.begin);
            const std::size_t at = !tag.empty() && tag.back() == '/' ? tag.size() - 1 : tag.size();
            tag.insert(at, " style:font-name-asian=\"" + font + "\"");
        }
        out += tag;
        pos = end;
    }
    out.append(fods.substr(pos));
    return out;
}

void convertToXls(const std::filesystem::path& converter, const std::filesystem::path& xlsx,
                  const std::filesystem::path& xlsOut, long long expectedRows,
                  const std::function<bool()>& stopRequested) {
    WorkFolder work;
    const auto input = work.path / "sheet.xlsx";
    const auto xls = work.path / "sheet.xls";
    const auto csv = work.path / "sheet.csv";
    std::error_code ec;
    if (!std::filesystem::copy_file(xlsx, input, ec)) throw fileError(ec.value(), "无法复制文件", xlsx.string());

    const auto fods = work.path / "sheet.fods";
    convert(converter, work, "fods", input, fods, stopRequested);
    writeFile(fods, withAsianFontsAsWestern(readFile(fods)));
    convert(converter, work, "xls:MS Excel 97", fods, xls, stopRequested);
    // Read back what the .xls really holds: the converter exits 0 even after cutting rows.
    convert(converter, work, "csv:Text - txt - csv (StarCalc):44,34,76,1", xls, csv, stopRequested);
    std::ifstream in(csv, std::ios::binary);
    const long long rows = countCsvRecords(in);
    if (rows < expectedRows)
        throw SheetError(sheet_errors::kConversionFailed,
                         "转换后的 .xls 文件只有 " + std::to_string(rows) + " 行，应有 " +
                             std::to_string(expectedRows) + " 行（.xls 格式每个工作表最多 " +
                             std::to_string(kXlsMaxRows) + " 行），请另存为 .xlsx 格式");

    // Removed first rather than overwritten: mingw's copy_file refuses to overwrite.
    std::filesystem::remove(xlsOut, ec);
    if (!ec) std::filesystem::copy_file(xls, xlsOut, ec);
    if (ec) throw fileError(ec.value(), "无法写入文件", xlsOut.string());
}

}  // namespace tally::sheet
