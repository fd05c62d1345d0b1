#include "app/help_text.h"

#include "runtime/encoding.h"

namespace velkart::app {

namespace {

bool is_fixed(std::string_view line) {
  if (line.starts_with("sudo ") || line.starts_with("velkart-batch ")) return true;
  if (line.size() < 20) return false;
  for (const char c : line) {
    if (!(c == ' ' || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

std::string escaped(std::string_view text) {
  std::string html;
  for (const char c : text) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

}  // namespace

std::vector<HelpBlock> parse_help(std::string_view source) {
  std::vector<HelpBlock> blocks;
  std::string pending;  // the lines of the paragraph being collected
  const auto block = [&](HelpBlockKind kind, std::string text) {
    if (!pending.empty()) blocks.push_back({HelpBlockKind::paragraph, std::move(pending)});
    pending.clear();
    if (!text.empty()) blocks.push_back({kind, std::move(text)});
  };
  for (std::size_t at = 0; at <= source.size();) {
    const std::size_t end = std::min(source.find('\n', at), source.size());
    std::string line = runtime::to_cp1252(source.substr(at, end - at));
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string_view view = line;
    if (line.empty()) {
      block(HelpBlockKind::paragraph, {});
    } else if (view.starts_with("# ")) {
      block(HelpBlockKind::title, line.substr(2));
    } else if (view.starts_with("## ")) {
      block(HelpBlockKind::heading, line.substr(3));
    } else if (view.starts_with("### ")) {
      block(HelpBlockKind::subheading, line.substr(4));
    } else if (view.starts_with("- ")) {
      block(HelpBlockKind::item, line.substr(2));
    } else if (line.size() > 3 && line[0] >= '1' && line[0] <= '9' && line[1] == '.' &&
               line[2] == ' ') {
      block(HelpBlockKind::step, line);
    } else if (is_fixed(line)) {
      block(HelpBlockKind::fixed, line);
    } else {
      pending += pending.empty() ? line : " " + line;
    }
  }
  block(HelpBlockKind::paragraph, {});
  return blocks;
}

std::string help_html(const std::vector<HelpBlock>& blocks) {
  std::string html = "<html><body>\n";
  bool in_list = false;
  for (const HelpBlock& each : blocks) {
    const bool item = each.kind == HelpBlockKind::item;
    if (item != in_list) html += item ? "<ul>\n" : "</ul>\n";
    in_list = item;
    const std::string text = escaped(each.text);
    switch (each.kind) {
      case HelpBlockKind::title:
        html += "<h1>" + text + "</h1>\n";
        break;
      case HelpBlockKind::heading:
        html += "<h2><font color=\"#b70000\">" + text + "</font></h2>\n";
        break;
      case HelpBlockKind::subheading:
        html += "<h3>" + text + "</h3>\n";
        break;
      case HelpBlockKind::item:
        html += "<li>" + text + "</li>\n";
        break;
      case HelpBlockKind::step:
        html += "<p>" + text + "</p>\n";
        break;
      case HelpBlockKind::fixed:
        html += "<p><tt>" + text + "</tt></p>\n";
        break;
      case HelpBlockKind::paragraph:
        html += "<p>" + text + "</p>\n";
        break;
    }
  }
  if (in_list) html += "</ul>\n";
  return html + "</body></html>\n";
}

}  // namespace velkart::app
