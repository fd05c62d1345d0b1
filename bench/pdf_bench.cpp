// The solution sheet's worst realistic case: 1 000 chapters of 300 words,
// each a title bar and a body in Times 12 with heading and page number on
// every page, built in memory. Beside it the same pages written with
// libharu (uncompressed, standard fonts), when that library is available.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "pdf/document.h"

#ifdef VELKART_WITH_HPDF
#include <hpdf.h>
#endif

namespace {

using velkart::pdf::Align;
using velkart::pdf::Border;
using velkart::pdf::Fill;
using velkart::pdf::LineMode;

constexpr int chapter_count = 1000;
constexpr int words_per_chapter = 300;

struct SampleSheet {
  std::string heading;
  std::vector<std::string> bodies;  // as the practice-text files hold them: one line, CR LF
};

const SampleSheet& sample_sheet() {
  static const SampleSheet sheet = [] {
    SampleSheet made;
    made.heading =
        "   Velkart   Morse\xFC"
        "bungstexte   -- Wortlisten selbst \xFC"
        "berpr\xFC"
        "fen! --  ;-)      "
        "02.01.2024 03:04:05    ";
    std::mt19937 generator(4711);
    const std::string letters = "KMURESNIAT";
    std::uniform_int_distribution<std::size_t> letter(0, letters.size() - 1);
    std::uniform_int_distribution<int> length(2, 8);
    for (int chapter = 0; chapter < chapter_count; ++chapter) {
      std::string body;
      for (int word = 0; word < words_per_chapter; ++word) {
        if (word > 0) body += ' ';
        for (int n = length(generator); n > 0; --n) body += letters[letter(generator)];
      }
      made.bodies.push_back(body + "\r\n");
    }
    return made;
  }();
  return sheet;
}

std::string chapter_title(std::size_t chapter) {
  return "Chapter " + std::to_string(chapter) + " : Dateiname" +
         std::to_string(1000000 + chapter).substr(3) + "_.pdf";
}

// The calls the solution sheet makes, in its order.
void write_sheet(velkart::pdf::Document& document, const SampleSheet& sheet) {
  document.new_document();
  document.set_footer_hook([&] { print_page_number(document, "Page"); });
  document.set_header_hook([&] {
    document.set_font("Arial", "B", 10);
    const float w = std::round(document.string_width(sheet.heading) + 6);
    document.set_x((210 - w) / 2);
    document.set_draw_color(0, 50, 50);
    document.set_fill_color(255, 255, 255);
    document.set_text_color(0, 50, 50);
    document.set_line_width(1);
    document.text_cell(w, 6, sheet.heading, Border::frame, LineMode::next_line, Align::centre,
                       Fill::paint);
    document.line_break(5);
  });
  document.set_title(sheet.heading);
  document.set_author("");
  document.add_page();
  document.multi_line_cell(0, 5, "20WpM Zeichengeschwindigkeit         600Hz Frequenz");
  document.multi_line_cell(0, 5, "5WpM Effektivgeschwindigkeit        1 Wiederholungen je Text");
  document.line_break();
  for (std::size_t chapter = 0; chapter < sheet.bodies.size(); ++chapter) {
    document.set_font("Arial", "", 12);
    document.set_fill_color(200, 220, 255);
    document.text_cell(0, 6, chapter_title(chapter), Border::none, LineMode::next_line, Align::left,
                       Fill::paint);
    document.line_break(4);
    document.set_font("Times", "", 12);
    const std::string rest = document.multi_line_cell(0, 5, sheet.bodies[chapter]);
    document.text_cell(0, 5, rest);
    document.line_break();
    document.set_font("", "I");
    document.line_break();
  }
  document.close_document();
}

void velkart_solution_sheet(benchmark::State& state) {
  const SampleSheet& sheet = sample_sheet();
  std::size_t bytes = 0;
  int pages = 0;
  for (auto _ : state) {
    velkart::pdf::Document document([] { return velkart::pdf::LocalTime{2024, 1, 2, 3, 4, 5}; });
    write_sheet(document, sheet);
    benchmark::DoNotOptimize(document.bytes().data());
    bytes = document.bytes().size();
    pages = document.page_number();
  }
  state.counters["pages"] = pages;
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(velkart_solution_sheet)->Unit(benchmark::kMillisecond);

#ifdef VELKART_WITH_HPDF

// The same pages through libharu: same fonts, sizes, boxes, colours and
// breaking at blanks, lengths converted from millimetres to points.
class HaruSheet {
 public:
  explicit HaruSheet(const SampleSheet& sheet) : sheet_(sheet) {
    pdf_ = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(pdf_, HPDF_COMP_NONE);
    bold_ = HPDF_GetFont(pdf_, "Helvetica-Bold", "WinAnsiEncoding");
    regular_ = HPDF_GetFont(pdf_, "Helvetica", "WinAnsiEncoding");
    italic_ = HPDF_GetFont(pdf_, "Helvetica-Oblique", "WinAnsiEncoding");
    times_ = HPDF_GetFont(pdf_, "Times-Roman", "WinAnsiEncoding");
    HPDF_SetInfoAttr(pdf_, HPDF_INFO_TITLE, sheet.heading.c_str());
  }
  ~HaruSheet() { HPDF_Free(pdf_); }
  HaruSheet(const HaruSheet&) = delete;
  HaruSheet& operator=(const HaruSheet&) = delete;

  std::size_t write() {
    new_page();
    body_line("20WpM Zeichengeschwindigkeit         600Hz Frequenz", regular_bold());
    body_line("5WpM Effektivgeschwindigkeit        1 Wiederholungen je Text", regular_bold());
    y_ += mm(5);
    for (std::size_t chapter = 0; chapter < sheet_.bodies.size(); ++chapter) {
      if (y_ + mm(6) > break_line_) new_page();
      title_bar(chapter_title(chapter));
      y_ += mm(4);
      std::string body = sheet_.bodies[chapter];
      body.resize(body.size() - 2);  // the CR LF
      std::size_t start = 0;
      while (start < body.size()) {
        HPDF_REAL used = 0;
        HPDF_Page_SetFontAndSize(page_, times_, 12);
        const HPDF_UINT fits =
            HPDF_Page_MeasureText(page_, body.c_str() + start, text_room_, HPDF_TRUE, &used);
        const std::size_t take = fits == 0 ? 1 : fits;
        std::string line = body.substr(start, take);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        body_line(line, times_);
        start += take;
      }
      y_ += mm(5) + mm(5);
    }
    footer();
    HPDF_SaveToStream(pdf_);
    const std::size_t size = HPDF_GetStreamSize(pdf_);
    return size;
  }

  int pages() const { return page_number_; }

 private:
  static HPDF_REAL mm(double value) { return static_cast<HPDF_REAL>(value * 72 / 25.4); }
  HPDF_Font regular_bold() const { return bold_; }

  void new_page() {
    if (page_ != nullptr) footer();
    page_ = HPDF_AddPage(pdf_);
    ++page_number_;
    HPDF_Page_SetWidth(page_, 595.28f);
    HPDF_Page_SetHeight(page_, 841.89f);
    HPDF_Page_SetLineCap(page_, HPDF_PROJECTING_SCUARE_END);
    y_ = mm(10);
    // Framed, white-filled heading, centred.
    HPDF_Page_SetFontAndSize(page_, bold_, 10);
    const HPDF_REAL w =
        mm(std::round(HPDF_Page_TextWidth(page_, sheet_.heading.c_str()) * 25.4 / 72 + 6));
    const HPDF_REAL x = (mm(210) - w) / 2;
    HPDF_Page_SetLineWidth(page_, mm(1));
    HPDF_Page_SetRGBStroke(page_, 0, 50 / 255.0f, 50 / 255.0f);
    HPDF_Page_SetRGBFill(page_, 1, 1, 1);
    HPDF_Page_Rectangle(page_, x, top(y_ + mm(6)), w, mm(6));
    HPDF_Page_FillStroke(page_);
    HPDF_Page_SetRGBFill(page_, 0, 50 / 255.0f, 50 / 255.0f);
    text_at(x + (w - HPDF_Page_TextWidth(page_, sheet_.heading.c_str())) / 2, y_ + mm(3) + 3.0f,
            sheet_.heading);
    y_ += mm(6) + mm(5);
    HPDF_Page_SetLineWidth(page_, mm(0.2));
    HPDF_Page_SetGrayStroke(page_, 0);
    HPDF_Page_SetGrayFill(page_, 0);
  }

  void footer() {
    HPDF_Page_SetFontAndSize(page_, italic_, 8);
    HPDF_Page_SetGrayFill(page_, 128 / 255.0f);
    const std::string text = "Page " + std::to_string(page_number_);
    text_at((mm(210) - HPDF_Page_TextWidth(page_, text.c_str())) / 2, mm(297 - 15 + 5) + 2.4f,
            text);
    HPDF_Page_SetGrayFill(page_, 0);
  }

  void title_bar(const std::string& title) {
    HPDF_Page_SetRGBFill(page_, 200 / 255.0f, 220 / 255.0f, 1);
    HPDF_Page_Rectangle(page_, margin_, top(y_ + mm(6)), mm(190), mm(6));
    HPDF_Page_Fill(page_);
    HPDF_Page_SetGrayFill(page_, 0);
    HPDF_Page_SetFontAndSize(page_, regular_, 12);
    text_at(margin_ + mm(1), y_ + mm(3) + 3.6f, title);
    y_ += mm(6);
  }

  void body_line(const std::string& line, HPDF_Font font) {
    if (y_ + mm(5) > break_line_) new_page();
    HPDF_Page_SetFontAndSize(page_, font, font == times_ ? 12 : 10);
    text_at(margin_ + mm(1), y_ + mm(2.5) + 3.6f, line);
    y_ += mm(5);
  }

  void text_at(HPDF_REAL x, HPDF_REAL baseline_from_top, const std::string& text) {
    HPDF_Page_BeginText(page_);
    HPDF_Page_TextOut(page_, x, top(baseline_from_top), text.c_str());
    HPDF_Page_EndText(page_);
  }

  HPDF_REAL top(HPDF_REAL from_top) const { return 841.89f - from_top; }

  const SampleSheet& sheet_;
  HPDF_Doc pdf_ = nullptr;
  HPDF_Page page_ = nullptr;
  HPDF_Font bold_ = nullptr;
  HPDF_Font regular_ = nullptr;
  HPDF_Font italic_ = nullptr;
  HPDF_Font times_ = nullptr;
  int page_number_ = 0;
  HPDF_REAL y_ = 0;  // points from the top edge
  const HPDF_REAL margin_ = mm(10);
  const HPDF_REAL break_line_ = mm(297 - 20);
  const HPDF_REAL text_room_ = mm(190 - 2);
};

void libharu_solution_sheet(benchmark::State& state) {
  const SampleSheet& sheet = sample_sheet();
  std::size_t bytes = 0;
  int pages = 0;
  for (auto _ : state) {
    HaruSheet haru(sheet);
    bytes = haru.write();
    pages = haru.pages();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["pages"] = pages;
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(libharu_solution_sheet)->Unit(benchmark::kMillisecond);

#endif

}  // namespace

BENCHMARK_MAIN();
