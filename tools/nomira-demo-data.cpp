// nomira-demo-data OUTDIR
//
// Writes a complete demo data folder: OUTDIR/data with Nomira.ini, the working subfolders, a
// template, a rename list and a handful of 1-bit CCITT G4 scans, plus OUTDIR/registry.ini, the
// registry store that points the program at that data folder. Everything is deterministic: two
// runs into the same OUTDIR give the same files (apart from the scans' modification times).

#include "sheets/SheetDrawing.h"

#include <tiffio.h>

#include <iconv.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

// UTF-8 to code page 932 through one iconv descriptor.
class Cp932Encoder {
public:
    Cp932Encoder() : m_cd(iconv_open("CP932", "UTF-8")) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("iconv cannot convert UTF-8 to CP932");
        }
    }
    ~Cp932Encoder() { iconv_close(m_cd); }
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;

    std::string operator()(std::string_view utf8) const {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::string in(utf8);
        std::string out(in.size() * 2 + 4, '\0');
        char* inPtr = in.data();
        char* outPtr = out.data();
        size_t inLeft = in.size();
        size_t outLeft = out.size();
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            throw std::runtime_error("text has no CP932 form: " + in);
        }
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t m_cd;
};

class TiffFile {
public:
    explicit TiffFile(const fs::path& path) : m_tiff(TIFFOpen(path.c_str(), "w")) {
        if (!m_tiff) {
            throw std::runtime_error("cannot create " + path.string());
        }
    }
    ~TiffFile() { TIFFClose(m_tiff); }
    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;

    TIFF* get() const { return m_tiff; }

private:
    TIFF* m_tiff;
};

struct Point {
    double x;
    double y;
};

// A page drawn as filled convex polygons and rings, in pixels, rasterised one row at a time so that
// even a large page never needs a whole bitmap in memory.
class Drawing {
public:
    Drawing(double dpi, int width) : m_scale(dpi / 25.4), m_width(width) {}

    // A straight stroke from a to b (millimetres) with square caps.
    void line(Point a, Point b, double thicknessMm) {
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double len = std::hypot(dx, dy);
        if (len == 0) {
            return;
        }
        const double h = std::max(thicknessMm * m_scale, 1.0) / 2;
        const double ux = dx / len * h;
        const double uy = dy / len * h;
        const Point p = px(a);
        const Point q = px(b);
        m_polygons.push_back(
            {Point{p.x - ux - uy, p.y - uy + ux}, Point{q.x + ux - uy, q.y + uy + ux},
             Point{q.x + ux + uy, q.y + uy - ux}, Point{p.x - ux + uy, p.y - uy - ux}});
    }

    void rect(Point a, Point b, double thicknessMm) {
        line(a, {b.x, a.y}, thicknessMm);
        line({b.x, a.y}, b, thicknessMm);
        line(b, {a.x, b.y}, thicknessMm);
        line({a.x, b.y}, a, thicknessMm);
    }

    void circle(Point centre, double radiusMm, double thicknessMm) {
        const double h = std::max(thicknessMm * m_scale, 1.0) / 2;
        m_rings.push_back(
            {px(centre), radiusMm * m_scale + h, std::max(radiusMm * m_scale - h, 0.0)});
    }

    // Fills one packed row, most significant bit first, 1 = black.
    void renderRow(int y, std::vector<unsigned char>& row) const {
        std::fill(row.begin(), row.end(), 0);
        const double yc = y + 0.5;
        for (const auto& poly : m_polygons) {
            double lo = 1e18;
            double hi = -1e18;
            for (size_t i = 0; i < poly.size(); ++i) {
                const Point& p = poly[i];
                const Point& q = poly[(i + 1) % poly.size()];
                if ((p.y <= yc && yc < q.y) || (q.y <= yc && yc < p.y)) {
                    const double x = p.x + (yc - p.y) * (q.x - p.x) / (q.y - p.y);
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
            }
            fillSpan(row, lo, hi);
        }
        for (const auto& ring : m_rings) {
            const double dy = yc - ring.centre.y;
            if (std::abs(dy) > ring.outer) {
                continue;
            }
            const double xo = std::sqrt(ring.outer * ring.outer - dy * dy);
            if (std::abs(dy) < ring.inner) {
                const double xi = std::sqrt(ring.inner * ring.inner - dy * dy);
                fillSpan(row, ring.centre.x - xo, ring.centre.x - xi);
                fillSpan(row, ring.centre.x + xi, ring.centre.x + xo);
            } else {
                fillSpan(row, ring.centre.x - xo, ring.centre.x + xo);
            }
        }
    }

private:
    struct Ring {
        Point centre;
        double outer;
        double inner;
    };

    Point px(Point mm) const { return {mm.x * m_scale, mm.y * m_scale}; }

    // Sets every pixel whose centre lies within [lo, hi].
    void fillSpan(std::vector<unsigned char>& row, double lo, double hi) const {
        lo = std::max(lo, 0.0);
        hi = std::min(hi, static_cast<double>(m_width));
        if (lo > hi) {
            return;
        }
        const int first = static_cast<int>(std::ceil(lo - 0.5));
        const int last = std::min(m_width - 1, static_cast<int>(std::floor(hi - 0.5)));
        for (int x = first; x <= last; ++x) {
            row[static_cast<size_t>(x) >> 3] |= static_cast<unsigned char>(0x80 >> (x & 7));
        }
    }

    double m_scale;
    int m_width;
    std::vector<std::vector<Point>> m_polygons;
    std::vector<Ring> m_rings;
};

// A small mechanical drawing above the title block: centre lines, a flange with a bolt circle
// whose hole count varies with the seed, a plan view and some hatching.
void drawSheet(Drawing& d, double wMm, double hMm, int seed) {
    const double left = 20;
    const double right = wMm - 10;
    const double top = 10;
    const double tbTop = hMm - 10 - 40;

    const double areaH = tbTop - top;
    const double areaW = right - left;
    const double r = std::min(areaW, areaH) * 0.28;
    const Point c{left + areaW * 0.33, top + areaH * 0.5};
    d.line({c.x - r * 1.3, c.y}, {c.x + r * 1.3, c.y}, 0.18);
    d.line({c.x, c.y - r * 1.3}, {c.x, c.y + r * 1.3}, 0.18);
    d.circle(c, r, 0.5);
    d.circle(c, r * 0.45, 0.5);
    d.circle(c, r * 0.72, 0.18);
    const int holes = 4 + seed % 5;
    for (int i = 0; i < holes; ++i) {
        const double a = 2 * std::numbers::pi * i / holes + 0.3 * seed;
        d.circle({c.x + r * 0.72 * std::cos(a), c.y + r * 0.72 * std::sin(a)}, r * 0.08, 0.35);
    }

    const double vx = left + areaW * 0.66;
    const double vw = areaW * 0.24;
    const double vh = r * 2;
    d.rect({vx, c.y - vh / 2}, {vx + vw, c.y + vh / 2}, 0.5);
    d.rect({vx + vw * 0.3, c.y - vh * 0.225}, {vx + vw * 0.7, c.y + vh * 0.225}, 0.35);
    const double hatch = std::min(vw * 0.3, vh * 0.275);
    for (double k = 3; k < hatch; k += 3) {
        d.line({vx + k, c.y - vh / 2}, {vx, c.y - vh / 2 + k}, 0.13);
    }
    d.line({c.x, c.y + r * 1.15}, {vx + vw / 2, c.y + r * 1.15}, 0.13);
    d.line({vx + vw / 2, c.y + vh / 2}, {vx + vw / 2, c.y + r * 1.2}, 0.13);
}

struct ScanShape {
    const char* fileName;
    double widthMm;
    double heightMm;
    int dpi;
    int pages;
    sheetdrawing::TitleBlock titleBlock; // drawn on the first page
};

// Each page is drawn row by row into a grey page, the first one gets its title block (and its
// code), and the page is written as 1-bit G4.
void writeScan(const fs::path& path, const ScanShape& shape, int seed) {
    TiffFile tiff(path);
    const auto width = static_cast<uint32_t>(std::lround(shape.widthMm * shape.dpi / 25.4));
    std::vector<unsigned char> row((width + 7) / 8);
    for (int page = 0; page < shape.pages; ++page) {
        QImage image = sheetdrawing::blankPage(shape.widthMm, shape.heightMm, shape.dpi);
        Drawing drawing(shape.dpi, static_cast<int>(width));
        drawSheet(drawing, shape.widthMm, shape.heightMm, seed + page);
        for (int y = 0; y < image.height(); ++y) {
            drawing.renderRow(y, row);
            uchar* line = image.scanLine(y);
            for (int x = 0; x < image.width(); ++x) {
                if (row[static_cast<size_t>(x) >> 3] & (0x80 >> (x & 7))) {
                    line[x] = 0;
                }
            }
        }
        sheetdrawing::drawTitleBlock(image, shape.dpi,
                                     page == 0 ? shape.titleBlock : sheetdrawing::TitleBlock{});
        if (!sheetdrawing::writeG4Page(tiff.get(), image, shape.dpi, page, shape.pages)) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }
}

void writeText(const fs::path& path, const Cp932Encoder& encode, std::string_view text) {
    std::string bytes;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = std::min(text.find('\n', pos), text.size());
        bytes += encode(text.substr(pos, end - pos)) + "\r\n";
        pos = end + 1;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

struct DemoColumn {
    const char* name;
    int type;
    int load;
    bool fileName;
    int sort1;
    int digits;
    const char* restriction;
};

// 図面番号 names the file and sorts the list; it refuses the characters that cannot be in a file
// name. Date and paper-size columns have no digits or decimals and so no BEAMS entries.
constexpr std::array<DemoColumn, 6> demoColumns = {{
    {"図面番号", 1, 1, true, 1, 20, "0.0.0.1.0."},
    {"図面名称", 1, 2, false, 0, 100, "0.0.0.0.0."},
    {"版", 2, 3, false, 0, 2, "0.0.0.0.0."},
    {"作成日", 4, 4, false, 0, 0, "0.0.0.0.0."},
    {"用紙", 5, 5, false, 0, 0, "0.0.0.0.0."},
    {"備考", 1, 6, false, 0, 100, "0.0.0.0.0."},
}};

// storage: the template's storage folder; docType: the agent document type it was set up for.
std::string templateText(const fs::path& storage, std::string_view docType) {
    std::string names, types, loads, fileNames, sort1, sort2, disp, beams1, beams2, align, restr;
    for (const auto& c : demoColumns) {
        names += std::string(c.name) + "\t";
        types += std::to_string(c.type) + ",";
        loads += std::to_string(c.load) + ",";
        fileNames += c.fileName ? "1," : "0,";
        sort1 += std::to_string(c.sort1) + ",";
        sort2 += "0,";
        disp += "0,";
        if (c.type <= 3) {
            beams1 += std::to_string(c.digits) + ",";
            beams2 += "0,";
        }
        align += "0,";
        restr += std::string(c.restriction) + ",";
    }
    return "[ROWINFO]\nNAME=" + names + "\nTYPE=" + types + "\nLOAD=" + loads +
           "\nFILENAME=" + fileNames + "\nSORT1=" + sort1 + "\nSORT2=" + sort2 + "\nDISP=" + disp +
           "\nOUTPUTPATH=" + storage.string() +
           "\nREPLACE=1\nREPLACECHAR=_\nSORTEXPORT=0\nMEMORYROWWIDTH=0\nCONNECTION=_\nBEAMS1=" +
           beams1 + "\nBEAMS2=" + beams2 + "\nALIGMENT=" + align + "\nTEXTRESTTICTION=" + restr +
           "\nDOCTYPE=" + std::string(docType) + "\n";
}

// The stand-in registration agent built beside this program (docs/AGENT.md): the template
// "agent" stores into data/agent, which holds the definition pair its definition program would
// leave there, and the registry names the agent when its programs are present.
std::string agentRegistryLines() {
    std::error_code ec;
    const fs::path agent = fs::read_symlink("/proc/self/exe", ec).parent_path() / "agent";
    if (!fs::exists(agent / "Quentry.exe")) {
        return {};
    }
    return "[SOFTWARE\\ORVANE\\DelmoSolution\\Quentry]\nPath=" + (agent / "Quentry.exe").string() +
           "\nDataPath=" + agent.string() + "\n";
}

void writeAgentDefinition(const fs::path& storage, const Cp932Encoder& encode) {
    writeText(storage / "quentdef.xml", encode,
              "<?xml version=\"1.0\"?>\n<Quentdef>\n  <DocType>Drawing</DocType>\n"
              "  <CabinetName>Drawings</CabinetName>\n  <FolderName>Inbox</FolderName>\n"
              "  <Properties>\n    <Property name=\"Title\" field=\"2\"/>\n  </Properties>\n"
              "</Quentdef>\n");
    writeText(storage / "quentdef.map", encode,
              "<DocType>,Drawing\n<CabinetName>,0\n<FolderName>,0\n<DocName>,1\nTitle,2\n");
}

// Fields: 図面番号, 図面名称, 版, 作成日, 用紙, 備考 (the LOAD numbers 1 to 6). No header line;
// rows are deliberately out of order so that the first-sort column shows its effect.
constexpr std::string_view demoCsv =
    "NMR-A-1003,第１工場 全体配置図,2,2008/10/01,,\n"
    "NMR-A-1001,ﾎﾟﾝﾌﾟ室 機器配置図,1,2008/9/5,A3 横,ﾎﾟﾝﾌﾟ更新に伴う改訂\n"
    "NMR-B-2010,\"冷却水 配管系統図, 系統１\",3,2008/11/20,,\n"
    "NMR-A-1002,電気室 平面図,1,,A2 横,作成日未記入\n"
    "NMR-C-3001,架台 詳細図,4,2008/02/29,A4 縦,\n"
    "NMR-B-2011,\"冷却水 配管系統図, 系統２\",3,2008/11/20,,\n"
    "NMR-C-3002,ﾀﾝｸ ﾉｽﾞﾙ 詳細図,1,2008/12/01,A4 横,ﾉｽﾞﾙ寸法 要確認\n"
    "NMR-D-4001,ｹｰﾌﾞﾙﾗｯｸ 系統図,2,2008/07/14,B4 縦,\n"
    "NMR-C-3003,ﾌﾗﾝｼﾞ 部品図,1,2008/12/03,,JIS B 2220 準拠\n"
    "NMR-D-4002,制御盤 外形図,5,2008/08/08,A4 縦,\n"
    "NMR-E-5001,試験成績書,1,2008/12/05,A4 縦,３枚綴り\n"
    "NMR-A-1004,外構 舗装計画図,1,2008/06/30,A2 横,\n";

// Each scan's title block names one row of the demo list; two also carry the number as a QR code.
const std::array<ScanShape, 6> demoScans = {{
    {"scan_0001.tif",
     210,
     297,
     200,
     1,
     {"NMR-C-3001", "架台 詳細図", "1:10", "2008/02/29", "", ""}},
    {"scan_0002.tif",
     297,
     210,
     200,
     1,
     {"NMR-C-3002", "タンク ノズル 詳細図", "1:20", "2008/12/01", "", ""}},
    {"scan_0003.tif",
     420,
     297,
     400,
     1,
     {"NMR-A-1001", "ポンプ室 機器配置図", "1:50", "2008/09/05", "NMR-A-1001", ""}},
    {"scan_0004.tif", 594, 420, 200, 1, {"NMR-A-1002", "電気室 平面図", "1:100", "", "", ""}},
    {"scan_0005.tif", 210, 297, 200, 3, {"NMR-E-5001", "試験成績書", "", "2008/12/05", "", ""}},
    {"scan_0006.tif",
     257,
     364,
     400,
     1,
     {"NMR-D-4001", "ケーブルラック 系統図", "1:30", "2008/07/14", "NMR-D-4001", ""}},
}};

void makeDemo(const fs::path& outDir) {
    const Cp932Encoder encode;
    const fs::path data = outDir / "data";
    for (const char* sub : {"editdata", "scan", "csv", "rename", "template", "agent"}) {
        fs::create_directories(data / sub);
    }

    writeText(
        data / "Nomira.ini", encode,
        "[SYSTEM]\nTemplate=demo.tpl\nExpanPreview=1\nLoadPreview=0\nMargin=12\nAutoCursol=1\n"
        "AddText=0\nInitDateType=0\nDispInputDlg=1\nExportFilename=リネームリスト\n"
        "ExportType=3\nExportAddConse=1\nEnterKeyAssign=0\nPrevPage=0\nRenameOverwrite=1\n"
        "CsvRowNum=300\nTargetExt=TIF/TIFF/JPG/JPEG/PDF/PLT\nTiffInfanticide=6\n"
        "TiffExpanMode=1\nJPGResolution=96\n[PATH]\nScan=" +
            (data / "scan").string() + "\nCsv=" + (data / "csv").string() +
            "\nEditData=" + (data / "editdata").string() + "\n");
    writeText(data / "template" / "demo.tpl", encode, templateText(data / "rename", ""));
    writeText(data / "template" / "agent.tpl", encode, templateText(data / "agent", "Drawing"));
    writeAgentDefinition(data / "agent", encode);
    writeText(data / "csv" / "demo.csv", encode, demoCsv);

    // The image list is sorted by date: give the scans one minute apart in file order.
    const auto now = fs::file_time_type::clock::now();
    for (size_t i = 0; i < demoScans.size(); ++i) {
        const fs::path path = data / "scan" / demoScans[i].fileName;
        writeScan(path, demoScans[i], static_cast<int>(i + 1));
        fs::last_write_time(path, now - std::chrono::minutes(demoScans.size() - i));
    }

    writeText(outDir / "registry.ini", encode,
              "[SOFTWARE\\Orvane\\DelmoSolution\\Nomira]\nDataPath=" + data.string() + "\n" +
                  agentRegistryLines());
}

} // namespace

int main(int argc, char* argv[]) {
    constexpr const char* kUsage =
        "usage: nomira-demo-data OUTDIR\n"
        "Writes OUTDIR/data (a demo data folder) and OUTDIR/registry.ini.\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        const fs::path outDir = fs::absolute(argv[1]).lexically_normal();
        makeDemo(outDir);
        std::printf("demo data folder: %s\nregistry store:   %s\n", (outDir / "data").c_str(),
                    (outDir / "registry.ini").c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nomira-demo-data: %s\n", e.what());
        return 1;
    }
    return 0;
}
