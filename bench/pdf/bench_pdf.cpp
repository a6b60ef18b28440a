// Writes a document of N pages (40 text lines and 40 rules each) with
// clsPDFCreator and, when available, with libharu; prints the median time and
// peak resident memory of a few runs for 100 and 10 000 pages and the ratio.
// Each run is a child process, so its peak memory is its own.
//
//   bench_pdf [runs]        (default 3)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "clsPDFCreator.h"

#ifdef TASTOLINO_HAVE_HPDF
#include <hpdf.h>

using namespace tastolino;
#endif

namespace {

constexpr int kLines = 40;

std::string lineText(int page, int line) {
    return "Pagina " + std::to_string(page) + ", riga " + std::to_string(line) +
           ": velocità 123,4 battute al minuto, errori 2";
}

void writeOurs(const std::string& file, int pages) {
    clsPDFCreator pdf;
    pdf.Title("Benchmark");
    std::string name = file;
    if (!pdf.InitPDFFile(name)) std::exit(2);
    pdf.LoadFont("Fn1", "Arial", 0);
    for (int p = 1; p <= pages; ++p) {
        pdf.BeginPage();
        pdf.SetLineWidth(0.5);
        for (int l = 0; l < kLines; ++l) {
            const float y = 800 - l * 19.0f;
            pdf.DrawText(40, y, lineText(p, l), "Fn1", 10);
            pdf.MoveTo(40, y - 4);
            pdf.LineTo(555, y - 4, 1);
        }
        pdf.EndPage();
    }
    pdf.ClosePDFFile();
}

#ifdef TASTOLINO_HAVE_HPDF
void hpdfError(HPDF_STATUS, HPDF_STATUS, void*) {
    std::exit(3);
}

void writeHaru(const std::string& file, int pages) {
    HPDF_Doc pdf = HPDF_New(hpdfError, nullptr);
    HPDF_Font font = HPDF_GetFont(pdf, "Helvetica", "WinAnsiEncoding");
    for (int p = 1; p <= pages; ++p) {
        HPDF_Page page = HPDF_AddPage(pdf);
        HPDF_Page_SetWidth(page, 595.2f);
        HPDF_Page_SetHeight(page, 842);
        HPDF_Page_SetLineWidth(page, 0.5);
        for (int l = 0; l < kLines; ++l) {
            const float y = 800 - l * 19.0f;
            // Same text; libharu takes Windows-1252 bytes directly.
            std::string text = lineText(p, l);
            const auto pos = text.find("\xc3\xa0");
            text.replace(pos, 2, "\xe0");
            HPDF_Page_BeginText(page);
            HPDF_Page_SetFontAndSize(page, font, 10);
            HPDF_Page_TextOut(page, 40, y, text.c_str());
            HPDF_Page_EndText(page);
            HPDF_Page_MoveTo(page, 40, y - 4);
            HPDF_Page_LineTo(page, 555, y - 4);
            HPDF_Page_Stroke(page);
        }
    }
    HPDF_SaveToFile(pdf, file.c_str());
    HPDF_Free(pdf);
}
#endif

struct Sample {
    double seconds;
    long peakKb;
};

// Runs the writer in a child; the child reports its own elapsed time.
Sample measure(void (*writer)(const std::string&, int), const std::string& file, int pages) {
    int fds[2];
    if (pipe(fds) != 0) std::exit(1);
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        auto t0 = std::chrono::steady_clock::now();
        writer(file, pages);
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (write(fds[1], &s, sizeof s) != sizeof s) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    Sample out{0, 0};
    if (read(fds[0], &out.seconds, sizeof out.seconds) != sizeof out.seconds) std::exit(1);
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::exit(1);
    out.peakKb = usage.ru_maxrss;
    return out;
}

Sample median(void (*writer)(const std::string&, int), const std::string& file, int pages,
              int runs) {
    std::vector<double> times;
    std::vector<long> peaks;
    for (int i = 0; i < runs; ++i) {
        Sample s = measure(writer, file, pages);
        times.push_back(s.seconds);
        peaks.push_back(s.peakKb);
    }
    std::sort(times.begin(), times.end());
    std::sort(peaks.begin(), peaks.end());
    return {times[times.size() / 2], peaks[peaks.size() / 2]};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
#ifndef NDEBUG
    std::printf("Unoptimised build: configure with -DCMAKE_BUILD_TYPE=Release for real numbers.\n");
#endif
    const auto dir = std::filesystem::temp_directory_path();
    const std::string ours = (dir / "tastolino_bench_ours.pdf").string();
    std::printf("%-12s %8s %12s %12s %12s\n", "writer", "pages", "median s", "peak RSS KB",
                "file KB");
    for (int pages : {100, 10000}) {
        Sample a = median(writeOurs, ours, pages, runs);
        std::printf("%-12s %8d %12.3f %12ld %12ju\n", "clsPDFCreator", pages, a.seconds, a.peakKb,
                    std::uintmax_t(std::filesystem::file_size(ours) / 1024));
#ifdef TASTOLINO_HAVE_HPDF
        const std::string haru = (dir / "tastolino_bench_haru.pdf").string();
        Sample b = median(writeHaru, haru, pages, runs);
        std::printf("%-12s %8d %12.3f %12ld %12ju\n", "libharu", pages, b.seconds, b.peakKb,
                    std::uintmax_t(std::filesystem::file_size(haru) / 1024));
        std::printf("  libharu time / clsPDFCreator time = %.2f\n", b.seconds / a.seconds);
        std::filesystem::remove(haru);
#endif
    }
    std::filesystem::remove(ours);
    return 0;
}
