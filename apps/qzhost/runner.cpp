#include "runner.h"

#include <afxwin.h>
#include <headless/headless.h>
#include <headless/screenshot.h>
#include <input/input.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "JqzCfgIO2.h"
#include "OrderBackEnd.h"
#include "QzComVirtualBaseView.h"
#include "host/broker.h"
#include "host/broker_services.h"
#include "host/environment.h"
#include "host/cp950_text.h"
#include "host/language_table.h"
#include "host/view_slot.h"
#include "module_path.h"
#include "window_dump.h"

namespace qzhost {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string Cp950(const std::string& utf8) {
  host::ConvertedText c = host::Utf8ToCp950(utf8);
  return c.ok() ? c.text : std::string();
}

std::string LocalTime() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02uT%02u:%02u:%02u.%03u", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds);
  return buf;
}

// The language table with the scenario's texts in place of the file's.
std::string LanguageText(const std::string& file, const std::map<std::string, std::string>& overrides) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  std::istringstream lines(all.str());
  std::string out, line;
  while (std::getline(lines, line)) {
    size_t eq = line.find('=');
    std::string key = eq == std::string::npos ? "" : line.substr(0, eq);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
    if (overrides.count(key)) continue;
    out += line + "\n";
  }
  for (const auto& [key, text] : overrides) {
    std::string escaped;
    for (char c : text) {
      if (c == '\\') escaped += "\\\\";
      else if (c == '\n') escaped += "\\n";
      else if (c == '\t') escaped += "\\t";
      else escaped += c;
    }
    if (!escaped.empty() && escaped.front() == ' ') escaped = "\\s" + escaped.substr(1);
    if (!escaped.empty() && escaped.back() == ' ') escaped = escaped.substr(0, escaped.size() - 1) + "\\s";
    out += key + "=" + escaped + "\n";
  }
  return out;
}

class Run {
 public:
  Run(const Scenario& s, const std::string& out, const std::string& dataDir)
      : s_(s), out_(out), dataDir_(dataDir) {}

  RunResult Go();

 private:
  // A view in its pane of the frame, and its slot in the layout.
  struct ViewPane {
    const ViewSetup* setup;
    CView* view;
    host::ViewSlot slot;
  };
  struct DialogAnswer {
    int result;
    std::vector<Step> actions;
  };

  void Record(json event) {
    json line = {{"t", headless::Now()}, {"time", LocalTime()}};
    for (auto it = event.begin(); it != event.end(); ++it) line[it.key()] = it.value();
    transcript_ << line.dump() << "\n";
    transcript_.flush();
    if (!transcript_) Unwritten((out_ / "transcript.jsonl").string());
  }
  // An output or a settings file that could not be written ends the run with 4, once
  // per file.
  void Unwritten(const std::string& file) {
    if (!unwritten_.insert(file).second) return;
    writeFailed_ = true;
    result_.failures.push_back(file + ": cannot be written");
  }
  void CheckSettingsWritten() {
    if (cfg_) {
      for (const std::string& file : cfg_->UnwrittenFiles()) Unwritten(file);
    }
  }
  void Fail(const Step& step, const std::string& what) {
    std::string line = step.path + " (" + step.kind + "): " + what;
    result_.failures.push_back(line);
    Record({{"event", "expectFailed"}, {"step", step.path}, {"what", what}});
  }
  HWND ViewWindow(const json& step) const;
  HWND Target(const Step& step, HWND dialog);
  bool Setup();
  bool OpenViews();
  void FitFrame();
  void RecordHostEvent(const host::HostEvent& e);
  void Teardown();
  void Do(const Step& step, HWND dialog);
  void Expect(const Step& step, HWND dialog);
  void Act(const Step& step, HWND dialog);

  const Scenario& s_;
  fs::path out_;
  std::string dataDir_;
  std::ofstream transcript_;
  CFrameWnd* frame_ = nullptr;
  std::vector<ViewPane> views_;
  std::unique_ptr<JqzCfgIO2> cfg_;  // the view settings, in the home's layouts
  std::deque<int> boxAnswers_;
  std::deque<DialogAnswer> dialogAnswers_;
  size_t boxesSeen_ = 0;
  std::vector<json> boxes_;
  size_t ordersChecked_ = 0;
  HINSTANCE module_ = nullptr;
  RunResult result_;
  std::set<std::string> unwritten_;
  bool writeFailed_ = false;
};

bool Run::Setup() {
  fs::create_directories(out_ / "home");
  transcript_.open(out_ / "transcript.jsonl", std::ios::binary | std::ios::trunc);
  if (!transcript_) {
    Unwritten((out_ / "transcript.jsonl").string());
    return false;
  }

  headless::SetLocalDateTime(s_.start);
  std::string cfg = (out_ / "home" / "OrderCfg.ini").string();
  for (const auto& [section, keys] : s_.orderCfg) {
    for (const auto& [key, value] : keys) {
      if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), cfg.c_str())) {
        Unwritten(cfg);
        return false;
      }
    }
  }

  // The host's home holds its configuration, layouts, log and language file, as a
  // terminal's installation would; the scenario's overrides are written into that file.
  const std::string home = (out_ / "home").string();
  host::SetHomeDirectory(home);
  // The host's log lines (missing texts among them) go into the transcript too.
  host::SetLogSink([this](const std::string& line) {
    Record({{"event", "log"}, {"text", host::ToUtf8(CString(line.c_str()))}});
  });
  host::SetEventSink([this](const host::HostEvent& e) { RecordHostEvent(e); });
  const std::string langFile = dataDir_ + "/lang/zh-TW.lang";
  const std::string homeLang = home + "/zh-TW.lang";
  {
    std::ofstream lang(homeLang, std::ios::binary | std::ios::trunc);
    lang << LanguageText(langFile, s_.language);
    lang.flush();
    if (!lang) {
      Unwritten(homeLang);
      return false;
    }
  }
  auto loaded = host::LoadLanguage(homeLang);
  for (const auto& e : loaded.errors) Record({{"event", "log"}, {"text", e.Describe()}});

  host::Broker& broker = host::Broker::Instance();
  broker.Reset();
  host::ConnectBrokerToFramework();
  broker.SetEventSink([this](const json& e) { Record(e); });
  broker.Load(s_.broker);

  headless::SetMessageBoxResponder([this](const headless::MessageBoxCall& call) {
    int answer = 0;
    if (!boxAnswers_.empty()) {
      answer = boxAnswers_.front();
      boxAnswers_.pop_front();
    }
    json box = {{"text", host::ToUtf8(CString(call.text))}, {"caption", host::ToUtf8(CString(call.caption))},
                {"style", call.type}, {"answer", answer}};
    boxes_.push_back(box);
    json event = {{"event", "messageBox"}};
    event.update(box);
    Record(event);
    return answer;
  });
  headless::SetDialogResponder([this](HWND dialog) -> INT_PTR {
    DialogAnswer answer{IDCANCEL, {}};
    if (!dialogAnswers_.empty()) {
      answer = dialogAnswers_.front();
      dialogAnswers_.pop_front();
    }
    Record({{"event", "dialog"}, {"class", WindowClass(dialog)}, {"title", WindowTextUtf8(dialog)},
            {"answer", answer.result}});
    for (const Step& action : answer.actions) {
      if (!IsWindow(dialog)) break;
      Do(action, dialog);
    }
    return answer.result;
  });

  if (!s_.module.empty()) {
    module_ = AfxLoadLibrary(ModulePath(s_.module).c_str());
    if (!module_) {
      result_.exitCode = 2;
      result_.failures.push_back(s_.module + ": the module library could not be loaded or did not register");
      Record({{"event", "moduleLoadFailed"}, {"module", s_.module}});
      return false;
    }
    Record({{"event", "moduleLoaded"}, {"module", s_.module}});
  }

  return OpenViews();
}

// One frame whose panes, stacked in rows, hold the views. Each view is opened as the host
// opens one: created in its pane, restored from its layout slot, then initially updated.
bool Run::OpenViews() {
  cfg_ = std::make_unique<JqzCfgIO2>();
  frame_ = new CFrameWnd;
  if (!frame_->Create(nullptr, "qzhost", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 960, 480))) {
    frame_ = nullptr;
    result_.exitCode = 2;
    result_.failures.push_back("the terminal's frame could not be created");
    return false;
  }
  frame_->SetPaneLayout(CFrameWnd::paneRows);
  std::map<std::string, int> slotsUsed;  // per layout
  for (const ViewSetup& setup : s_.views) {
    CRuntimeClass* cls = CRuntimeClass::FromName(setup.className.c_str());
    if (!cls) {
      result_.exitCode = 2;
      result_.failures.push_back(s_.file + ": view \"" + setup.name + "\": no class named " + setup.className);
      return false;
    }
    CCreateContext ctx;
    ctx.m_pNewViewClass = cls;
    CView* view = frame_->CreateView(&ctx, 0, FALSE);
    if (!view) {
      result_.exitCode = 2;
      result_.failures.push_back("view \"" + setup.name + "\": " + setup.className + " is not a view class");
      return false;
    }
    // The pane has its size before the view lays anything out.
    frame_->SetPaneSize(view, setup.width, setup.height);
    FitFrame();
    host::ViewSlot slot;
    slot.layout = setup.layout.c_str();
    slot.index = slotsUsed[setup.layout]++;
    slot.title = setup.title.c_str();
    slot.syncGroup = setup.syncGroup;
    slot.selectAccount = setup.selectAccount ? 1 : 0;
    views_.push_back({&setup, view, slot});
    Record({{"event", "viewCreated"}, {"view", setup.name}, {"class", setup.className},
            {"title", host::ToUtf8(CString(setup.title))}, {"syncGroup", setup.syncGroup}});
    if (host::RestoreView(*view, *cfg_, slot)) {
      json restored = {{"event", "viewRestored"}, {"view", setup.name},
                       {"layout", host::ToUtf8(slot.layout)}, {"index", slot.index}};
      if (auto* trading = DYNAMIC_DOWNCAST(QzComVirtualBaseView, view)) {
        restored["syncGroup"] = trading->m_bySyncType;
        restored["selectAccount"] = trading->m_bySelAccount;
      }
      Record(restored);
    }
    view->OnInitialUpdate();
  }
  if (!views_.empty()) frame_->SetActiveView(views_.front().view);
  headless::PumpMessages();
  CheckSettingsWritten();
  return true;
}

// The frame as large as its panes: the widest pane across, the panes' heights stacked.
void Run::FitFrame() {
  int width = 0, height = 0;
  for (CView* view : frame_->GetPanes()) {
    CSize size = frame_->GetPaneSize(view);
    width = std::max(width, static_cast<int>(size.cx));
    height += size.cy;
  }
  CRect outer, client;
  frame_->GetWindowRect(&outer);
  frame_->GetClientRect(&client);
  frame_->SetWindowPos(nullptr, 0, 0, width + outer.Width() - client.Width(),
                       height + outer.Height() - client.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  frame_->RecalcLayout();
}

void Run::RecordHostEvent(const host::HostEvent& e) {
  if (e.kind == host::HostEvent::Kind::kTip) {
    json tip = {{"event", "tip"}, {"text", host::ToUtf8(CString(e.text.c_str()))}};
    if (e.tipKind >= 0) tip["kind"] = e.tipKind;
    Record(tip);
    return;
  }
  // Files are named relative to the output folder that holds the home.
  std::error_code ec;
  fs::path file = fs::path(e.file).lexically_normal();
  fs::path relative = fs::relative(file, out_, ec);
  std::string name = ec || relative.empty() ? file.string() : relative.generic_string();
  Record({{"event", e.kind == host::HostEvent::Kind::kExport ? "export" : "print"},
          {"file", host::ToUtf8(CString(name.c_str()))}});
}

void Run::Teardown() {
  // Each view saves its settings into its slot before the frame goes.
  if (frame_ && IsWindow(frame_->GetSafeHwnd())) {
    const auto& panes = frame_->GetPanes();
    for (auto& v : views_) {
      if (std::find(panes.begin(), panes.end(), v.view) == panes.end()) continue;
      if (host::SaveView(*v.view, *cfg_, v.slot)) {
        Record({{"event", "viewSaved"}, {"view", v.setup->name}, {"layout", host::ToUtf8(v.slot.layout)},
                {"index", v.slot.index}});
      }
    }
    frame_->DestroyWindow();
  }
  frame_ = nullptr;
  views_.clear();
  CheckSettingsWritten();
  cfg_.reset();
  headless::PumpMessages();
  headless::SetMessageBoxResponder({});
  headless::SetDialogResponder({});
  host::Broker& broker = host::Broker::Instance();
  broker.Reset();
  broker.SetEventSink({});
  host::DisconnectBrokerFromFramework();
  host::SetLogSink({});
  host::SetEventSink({});
  if (module_) AfxFreeLibrary(module_);
  Record({{"event", "end"}, {"failures", result_.failures.size()}});
  // Whatever the platform still holds for the windows (their surfaces) goes with them.
  headless::Reset();
}

HWND Run::ViewWindow(const json& step) const {
  if (views_.empty()) return nullptr;
  if (!step.contains("view")) return views_.front().view->GetSafeHwnd();
  std::string name = step["view"];
  for (const auto& v : views_) {
    if (v.setup->name == name) return v.view->GetSafeHwnd();
  }
  return nullptr;
}

HWND Run::Target(const Step& step, HWND dialog) {
  HWND root = dialog ? dialog : ViewWindow(step.json);
  if (!root) return nullptr;
  int id = step.json["control"];
  return FindControl(root, id);
}

RunResult Run::Go() {
  if (Setup()) {
    for (const Step& step : s_.steps) Do(step, nullptr);
  }
  Teardown();
  if (result_.exitCode == 0 && writeFailed_) result_.exitCode = 4;
  if (result_.exitCode == 0 && !result_.failures.empty()) result_.exitCode = 3;
  return result_;
}

void Run::Do(const Step& step, HWND dialog) {
  const json& j = step.json;
  const std::string& k = step.kind;
  host::Broker& broker = host::Broker::Instance();
  if (k != "expect") Record({{"event", "step"}, {"step", step.path}, {"do", k}});
  if (k == "login") {
    broker.Login();
  } else if (k == "logout") {
    broker.Logout();
  } else if (k == "wait") {
    headless::AdvanceTime(j["ms"].get<std::uint64_t>());
  } else if (k == "answerDialog") {
    DialogAnswer a{ResultCode(j["result"]).value_or(0), {}};
    if (j.contains("actions")) {
      for (size_t i = 0; i < j["actions"].size(); ++i) {
        a.actions.push_back({j["actions"][i]["do"], step.path + "/actions/" + std::to_string(i), j["actions"][i]});
      }
    }
    dialogAnswers_.push_back(a);
  } else if (k == "answerMessageBox") {
    boxAnswers_.push_back(ResultCode(j["result"]).value_or(0));
  } else if (k == "quote") {
    broker.SetQuoteValue(j["market"].get<BYTE>(), Cp950(j["code"]).c_str(), j["item"].get<WORD>(),
                         j["value"].get<double>());
  } else if (k == "failQuery") {
    host::QueryFailure f;
    f.kind = j["query"] == "unoffset" ? host::QueryKind::kUnoffset : host::QueryKind::kDividend;
    f.account = j.contains("account") ? Cp950(j["account"]).c_str() : "";
    f.times = j.value("times", 1);
    broker.FailNextQueries(f);
  } else if (k == "reject") {
    host::OrderRejection r;
    r.account = j.contains("account") ? Cp950(j["account"]).c_str() : "";
    r.symbol = j.contains("symbol") ? Cp950(j["symbol"]).c_str() : "";
    r.side = j.contains("side") ? (j["side"].is_string() ? j["side"].get<std::string>()[0] : j["side"].get<int>()) : 0;
    r.message = Cp950(j["message"]).c_str();
    r.times = j.value("times", -1);
    broker.AddRejection(r);
  } else if (k == "clear") {
    if (host::BrokerAccount* a = broker.FindAccountByNumber(Cp950(j["account"]).c_str())) {
      broker.Clear(a->account, j["code"].get<int>());
    }
  } else if (k == "setHoldings") {
    if (host::BrokerAccount* a = broker.FindAccountByNumber(Cp950(j["account"]).c_str())) {
      host::BrokerAccount changed = *a;
      Scenario tmp = ParseScenario(json({{"broker", {{"accounts", {{{"brokerId", "x"}, {"account", "x"}, {"kind", 65},
                                                                   {"holdings", j["holdings"]}}}}}}}).dump(), s_.file);
      changed.domestic = tmp.broker.accounts[0].domestic;
      broker.UpdateAccount(changed);
    }
  } else if (k == "dump" || k == "snapshot") {
    HWND hwnd = ViewWindow(j);
    std::string name = j["name"];
    if (k == "dump") {
      const fs::path file = out_ / (name + ".json");
      std::ofstream f(file, std::ios::binary | std::ios::trunc);
      f << DumpWindow(hwnd, hwnd).dump(2) << "\n";
      f.flush();
      if (!f) Unwritten(file.string());
      Record({{"event", "dump"}, {"file", name + ".json"}, {"written", static_cast<bool>(f)}});
    } else {
      const fs::path file = out_ / (name + ".png");
      bool ok = headless::RenderWindowToPng(hwnd, file.string().c_str());
      if (!ok) Unwritten(file.string());
      Record({{"event", "snapshot"}, {"file", name + ".png"}, {"written", ok}});
    }
  } else if (k == "resize") {
    for (auto& v : views_) {
      if (!j.contains("view") || v.setup->name == j["view"]) {
        frame_->SetPaneSize(v.view, j["width"].get<int>(), j["height"].get<int>());
        FitFrame();
        break;
      }
    }
    headless::PumpMessages();
  } else if (k == "key") {
    input::PressKey(KeyCode(j["key"]));
  } else if (k == "expect") {
    Expect(step, dialog);
  } else {
    Act(step, dialog);
  }
}

// A person's action on a control.
void Run::Act(const Step& step, HWND dialog) {
  const json& j = step.json;
  const std::string& k = step.kind;
  HWND control = Target(step, dialog);
  bool ok = false;
  if (control) {
    if (k == "click") {
      ok = WindowClass(control) == "Button" ? input::ClickButton(control) : input::Click(control);
    } else if (k == "choose") {
      ok = j.contains("text") ? input::ChooseComboEntry(control, Cp950(j["text"]).c_str())
                              : input::ChooseComboEntry(control, j.value("index", 0));
    } else if (k == "type") {
      SendMessageA(control, EM_SETSEL, 0, -1);
      SendMessageA(control, WM_CLEAR, 0, 0);
      ok = input::TypeText(control, Cp950(j["text"]).c_str());
    } else if (k == "tick") {
      bool want = j["checked"];
      bool is = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
      ok = want == is || input::ClickButton(control);
    } else if (k == "clickCell") {
      ok = input::ClickListCell(control, j["row"], j["column"]);
    } else if (k == "doubleClickCell") {
      ok = input::DoubleClickListCell(control, j["row"], j["column"]);
    } else if (k == "wheel") {
      RECT rc{};
      GetClientRect(control, &rc);
      ok = input::TurnWheel(control, POINT{rc.right / 2, rc.bottom / 2}, j["notches"]);
    }
  }
  if (!ok) {
    Fail(step, control ? "the control did not take the action" : "no control " + std::to_string(j["control"].get<int>()));
  }
}

void Run::Expect(const Step& step, HWND dialog) {
  const json& j = step.json;
  size_t failuresBefore = result_.failures.size();
  auto differ = [&](const std::string& what, const json& want, const json& got) {
    Fail(step, what + ": expected " + want.dump() + ", found " + got.dump());
  };
  if (j.contains("control")) {
    HWND control = Target(step, dialog);
    if (!control) {
      Fail(step, "no control " + std::to_string(j["control"].get<int>()));
      return;
    }
    json d = DumpWindow(control, control);
    if (j.contains("text") && d["text"] != j["text"]) differ("text", j["text"], d["text"]);
    if (j.contains("visible") && d["visible"] != j["visible"]) differ("visible", j["visible"], d["visible"]);
    if (j.contains("enabled") && d["enabled"] != j["enabled"]) differ("enabled", j["enabled"], d["enabled"]);
    if (j.contains("checked")) {
      bool got = d.value("checked", 0) == BST_CHECKED;
      if (got != j["checked"].get<bool>()) differ("checked", j["checked"], got);
    }
    if (j.contains("selected")) {
      json got = nullptr;
      if (d.contains("items") && d["selected"].get<int>() >= 0) got = d["items"][d["selected"].get<int>()];
      if (got != j["selected"]) differ("selected", j["selected"], got);
    }
    if (j.contains("columns") || j.contains("rowCount") || j.contains("rows") || j.contains("cell")) {
      ListContent list = ReadList(control);
      if (j.contains("columns") && json(list.columns) != j["columns"]) differ("columns", j["columns"], list.columns);
      if (j.contains("rowCount") && j["rowCount"] != list.rows.size()) differ("rowCount", j["rowCount"], list.rows.size());
      if (j.contains("rows") && json(list.rows) != j["rows"]) differ("rows", j["rows"], list.rows);
      if (j.contains("cell")) {
        const json& c = j["cell"];
        size_t r = c.value("row", 0), col = c.value("column", 0);
        json got = r < list.rows.size() && col < list.rows[r].size() ? json(list.rows[r][col]) : json(nullptr);
        if (got != c["text"]) differ("cell " + std::to_string(r) + "," + std::to_string(col), c["text"], got);
      }
    }
  }
  if (j.contains("messageBox")) {
    const json& want = j["messageBox"];
    bool found = false;
    for (size_t i = boxesSeen_; i < boxes_.size() && !found; ++i) {
      found = (!want.contains("text") || boxes_[i]["text"] == want["text"]) &&
              (!want.contains("caption") || boxes_[i]["caption"] == want["caption"]);
    }
    if (!found) Fail(step, "no message box like " + want.dump() + " since the last check");
    boxesSeen_ = boxes_.size();
  }
  const auto& orders = host::Broker::Instance().Orders();
  if (j.contains("orderSent")) {
    const json& want = j["orderSent"];
    bool found = false;
    for (size_t i = ordersChecked_; i < orders.size() && !found; ++i) {
      const auto& o = orders[i];
      json got = {{"account", host::ToUtf8(o.order.m_strAccount)},
                  {"symbol", host::ToUtf8(o.order.m_Commodity.m_strStockNo)},
                  {"side", std::string(1, static_cast<char>(o.order.m_nSide))},
                  {"unit", std::string(1, static_cast<char>(o.order.m_Commodity.m_nTradeUnit))},
                  {"credit", std::string(1, static_cast<char>(o.order.m_Commodity.m_nCreditType))},
                  {"quantity", o.order.m_nQty},
                  {"price", o.order.m_dPrice},
                  {"accepted", o.accepted}};
      bool all = true;
      for (auto it = want.begin(); it != want.end(); ++it) all = all && got.contains(it.key()) && got[it.key()] == it.value();
      found = all;
    }
    if (!found) Fail(step, "no order like " + want.dump() + " sent since the last check");
    ordersChecked_ = orders.size();
  }
  if (j.contains("noOrderSent") && j["noOrderSent"] == true) {
    if (orders.size() > ordersChecked_) Fail(step, std::to_string(orders.size() - ordersChecked_) + " order(s) sent");
    ordersChecked_ = orders.size();
  }
  Record({{"event", "expect"}, {"step", step.path}, {"ok", result_.failures.size() == failuresBefore}});
}

}  // namespace

RunResult RunScenario(const Scenario& scenario, const std::string& outDir, const std::string& dataDir) {
  Run run(scenario, outDir, dataDir);
  return run.Go();
}

}  // namespace qzhost
