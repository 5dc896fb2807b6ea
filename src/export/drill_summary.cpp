// Reading a drill file back (see drill_summary.h).
#include "export/drill_summary.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace exportcore {

namespace {

bool startsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}

// The digits of a whole number at the front of `text`, consumed.
std::optional<int> takeInt(std::string_view& text) {
  size_t n = 0;
  while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n]))) ++n;
  if (n == 0 || n > 6) return std::nullopt;
  const int value = std::stoi(std::string(text.substr(0, n)));
  text.remove_prefix(n);
  return value;
}

// How a number without a decimal point is read.
struct NumberFormat {
  bool leadingZerosKept = false;  // "LZ": read from the left
  int integerDigits = 3;
  int decimals = 3;
};

// A diameter at the front of `text`: with a decimal point as written, else
// by the number format.
std::optional<double> takeNumber(std::string_view& text, const NumberFormat& format) {
  size_t n = 0;
  bool point = false;
  while (n < text.size() &&
         (std::isdigit(static_cast<unsigned char>(text[n])) || (text[n] == '.' && !point))) {
    point = point || text[n] == '.';
    ++n;
  }
  const std::string digits(text.substr(0, n));
  text.remove_prefix(n);
  if (digits.empty() || digits == ".") return std::nullopt;
  if (point) return std::stod(digits);
  if (digits.size() > 9) return std::nullopt;
  if (format.leadingZerosKept) {
    return std::stod(digits) /
           std::pow(10.0, static_cast<int>(digits.size()) - format.integerDigits);
  }
  return std::stod(digits) / std::pow(10.0, format.decimals);
}

class DrillParser {
 public:
  bool line(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (text.empty() || text.front() == ';') return true;
    if (!started_) {
      started_ = text == "M48";
      return started_;
    }
    if (text == "M71" || text == "M72") {
      units(text == "M72");
    } else if (startsWith(text, "INCH") || startsWith(text, "METRIC")) {
      unitsLine(text);
    }
    if (text == "%" || text == "M95") {
      inHeader_ = false;
      return true;
    }
    if (text.front() == 'T') return tool(text.substr(1));
    if (text.front() == 'X' || text.front() == 'Y' || text.front() == 'R') return hit(text);
    return true;  // other codes (G90, G05, M30, ...) hold no holes
  }

  std::optional<DrillSummary> result() const {
    if (!started_) return std::nullopt;
    return summary_;
  }

 private:
  void units(bool inch) {
    inch_ = inch;
    format_.integerDigits = inch ? 2 : 3;
    format_.decimals = inch ? 4 : 3;
  }

  // "INCH,LZ", "METRIC,TZ,000.000"
  void unitsLine(std::string_view text) {
    units(startsWith(text, "INCH"));
    if (text.find(",LZ") != std::string_view::npos) format_.leadingZerosKept = true;
    if (text.find(",TZ") != std::string_view::npos) format_.leadingZerosKept = false;
    const size_t dot = text.find('.');
    const size_t comma = text.rfind(',', dot);
    if (dot != std::string_view::npos && comma != std::string_view::npos) {
      format_.integerDigits = static_cast<int>(dot - comma - 1);
      format_.decimals = static_cast<int>(text.size() - dot - 1);
    }
  }

  // "T01C0.800" defines (and, in the body, selects); "T01" selects; "T0"
  // puts the tool away.
  bool tool(std::string_view text) {
    const std::optional<int> number = takeInt(text);
    if (!number) return false;
    const size_t c = text.find('C');
    if (c != std::string_view::npos) {
      text.remove_prefix(c + 1);
      const std::optional<double> diameter = takeNumber(text, format_);
      if (!diameter || *diameter <= 0) return false;
      if (DrillTool* known = find(*number)) {
        known->diameter = *diameter;
        known->inch = inch_;
      } else {
        summary_.tools.push_back({*number, *diameter, inch_, 0});
      }
    }
    if (inHeader_) return true;  // defined only; the body selects
    if (*number == 0) {
      current_ = 0;
      return true;
    }
    if (!find(*number)) return false;
    current_ = *number;
    return true;
  }

  // "X1.5Y2.0", "Y3", "R4X0.5" (the hole repeated four more times).
  bool hit(std::string_view text) {
    DrillTool* tool = find(current_);
    if (!tool) return false;
    int count = 1;
    if (text.front() == 'R') {
      text.remove_prefix(1);
      const std::optional<int> repeats = takeInt(text);
      if (!repeats) return false;
      count = *repeats;
    }
    tool->holes += count;
    return true;
  }

  DrillTool* find(int number) {
    if (number == 0) return nullptr;
    for (DrillTool& t : summary_.tools)
      if (t.number == number) return &t;
    return nullptr;
  }

  bool started_ = false;
  bool inHeader_ = true;
  bool inch_ = false;
  int current_ = 0;
  NumberFormat format_;
  DrillSummary summary_;
};

}  // namespace

int DrillSummary::totalHoles() const {
  int total = 0;
  for (const DrillTool& t : tools) total += t.holes;
  return total;
}

std::optional<DrillSummary> summariseDrill(std::string_view text) {
  DrillParser parser;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (!parser.line(line)) return std::nullopt;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return parser.result();
}

std::optional<DrillSummary> readDrillSummary(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return summariseDrill(text);
}

}  // namespace exportcore
