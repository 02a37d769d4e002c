#include "run_report.h"

#include <cstdio>
#include <sstream>

namespace qzhost {

using nlohmann::json;

namespace {

std::string Escape(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Text(const json& e, const char* key) {
  auto it = e.find(key);
  if (it == e.end()) return {};
  return it->is_string() ? it->get<std::string>() : it->dump();
}

std::string Answer(int code) {
  static const std::pair<int, const char*> kNames[] = {{1, "IDOK"}, {2, "IDCANCEL"}, {3, "IDABORT"}, {4, "IDRETRY"},
                                                      {5, "IDIGNORE"}, {6, "IDYES"}, {7, "IDNO"}, {0, "default"}};
  for (auto& [value, name] : kNames) {
    if (value == code) return name;
  }
  return std::to_string(code);
}

// Virtual milliseconds since the run began, as seconds.
std::string Clock(const json& e) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "+%.3f s", e.value("t", 0.0) / 1000.0);
  return buf;
}

// Everything of an event not shown elsewhere, for the kinds without a layout of their own.
std::string Rest(const json& e) {
  std::string out;
  for (auto it = e.begin(); it != e.end(); ++it) {
    if (it.key() == "event" || it.key() == "t" || it.key() == "time") continue;
    if (!out.empty()) out += " &middot; ";
    out += "<i>" + Escape(it.key()) + "</i> " + Escape(Text(e, it.key().c_str()));
  }
  return out;
}

std::string Order(const json& e) {
  const json& o = e.contains("order") && e["order"].is_object() ? e["order"] : json::object();
  std::ostringstream h;
  h << Escape(Text(o, "account")) << " &middot; " << Escape(Text(o, "symbol")) << " &middot; side "
    << Escape(Text(o, "side")) << " &middot; " << Escape(Text(o, "quantity")) << " @ " << Escape(Text(o, "price"));
  if (e.value("accepted", false)) {
    h << " &rarr; <b>accepted</b> " << Escape(Text(e, "orderNo"));
  } else {
    h << " &rarr; <b>refused</b>: " << Escape(Text(e, "message"));
  }
  return h.str();
}

// One timeline row: its CSS class and the cell that says what happened.
std::pair<const char*, std::string> Describe(const json& e) {
  const std::string kind = Text(e, "event");
  if (kind == "step") return {"step", "<code>" + Escape(Text(e, "step")) + "</code> " + Escape(Text(e, "do"))};
  if (kind == "expect") {
    bool ok = e.value("ok", false);
    return {ok ? "ok" : "step", "<code>" + Escape(Text(e, "step")) + "</code> " + (ok ? "held" : "did not hold")};
  }
  if (kind == "expectFailed") {
    return {"fail", "<code>" + Escape(Text(e, "step")) + "</code> <b>failed</b>: " + Escape(Text(e, "what"))};
  }
  if (kind == "snapshot") {
    std::string file = Escape(Text(e, "file"));
    if (!e.value("written", true)) return {"fail", file + " could not be written"};
    return {"shot", "<a href=\"" + file + "\">" + file + "</a><br><img src=\"" + file + "\" alt=\"" + file + "\">"};
  }
  if (kind == "dump" || kind == "export" || kind == "print") {
    std::string file = Escape(Text(e, "file"));
    return {"file", "<a href=\"" + file + "\">" + file + "</a>"};
  }
  if (kind == "messageBox") {
    return {"box", "<b>" + Escape(Text(e, "caption")) + "</b><pre>" + Escape(Text(e, "text")) +
                       "</pre>answered " + Escape(Answer(e.value("answer", 0)))};
  }
  if (kind == "dialog") {
    return {"box", "<b>" + Escape(Text(e, "title")) + "</b> (" + Escape(Text(e, "class")) + ") answered " +
                       Escape(Answer(e.value("answer", 0)))};
  }
  if (kind == "order") return {e.value("accepted", false) ? "order" : "fail", Order(e)};
  if (kind == "avgCost") return {e.value("accepted", false) ? "order" : "fail", Rest(e)};
  if (kind == "tip") return {"", Escape(Text(e, "text"))};
  return {"", Rest(e)};
}

const char* kStyle = R"css(
body { font-family: sans-serif; margin: 1.5em; color: #222; }
h1 { font-size: 1.4em; } h2 { font-size: 1.15em; margin-top: 1.5em; }
table { border-collapse: collapse; width: 100%; }
td, th { border-bottom: 1px solid #ddd; padding: 4px 8px; text-align: left; vertical-align: top; }
td.t { white-space: nowrap; color: #555; font-family: monospace; }
td.k { white-space: nowrap; font-weight: bold; }
tr.step td { background: #f4f6fa; }
tr.ok td { background: #eef8ee; }
tr.fail td { background: #fde2e2; }
tr.order td { background: #fff7e0; }
tr.box td { background: #f3eefc; }
img { max-width: 100%; border: 1px solid #999; margin-top: 4px; }
pre { margin: 2px 0; white-space: pre-wrap; }
.failed { color: #b00; font-weight: bold; }
dl.summary dt { font-weight: bold; float: left; width: 7em; } dl.summary dd { margin-left: 7.5em; }
)css";

}  // namespace

std::string RenderReport(const RunSummary& s, const std::vector<json>& events) {
  std::ostringstream h;
  h << "<!DOCTYPE html>\n<html lang=\"zh-Hant\">\n<head>\n<meta charset=\"utf-8\">\n<title>qzhost: "
    << Escape(s.scenario) << "</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n";
  h << "<h1>qzhost run: " << Escape(s.scenario) << "</h1>\n<dl class=\"summary\">\n<dt>views</dt><dd>";
  for (size_t i = 0; i < s.views.size(); ++i) {
    h << (i ? ", " : "") << Escape(s.views[i].first) << " (" << Escape(s.views[i].second) << ")";
  }
  h << "</dd>\n<dt>steps</dt><dd>" << s.steps << " run</dd>\n<dt>expect</dt><dd>" << s.expectsPassed
    << " passed, <span" << (s.expectFailures.empty() ? "" : " class=\"failed\"") << ">" << s.expectFailures.size()
    << " failed</span>";
  if (!s.expectFailures.empty()) {
    h << "<ul>";
    for (const auto& f : s.expectFailures) h << "<li class=\"failed\">" << Escape(f) << "</li>";
    h << "</ul>";
  }
  h << "</dd>\n<dt>orders</dt><dd>" << s.ordersAccepted + s.ordersRefused << " sent, " << s.ordersRefused
    << " refused</dd>\n<dt>files</dt><dd>";
  for (const auto& f : s.files) {
    h << Escape(f.kind) << " <a href=\"" << Escape(f.name) << "\">" << Escape(f.name) << "</a><br>";
  }
  h << "<a href=\"transcript.jsonl\">transcript.jsonl</a></dd>\n</dl>\n";

  h << "<h2>Timeline</h2>\n<table>\n<tr><th>virtual time</th><th>local time</th><th>event</th><th></th></tr>\n";
  for (const json& e : events) {
    auto [cls, what] = Describe(e);
    h << "<tr" << (*cls ? std::string(" class=\"") + cls + "\"" : std::string()) << "><td class=\"t\">"
      << Clock(e) << "</td><td class=\"t\">" << Escape(Text(e, "time")) << "</td><td class=\"k\">"
      << Escape(Text(e, "event")) << "</td><td>" << what << "</td></tr>\n";
  }
  h << "</table>\n</body>\n</html>\n";
  return h.str();
}

}  // namespace qzhost
