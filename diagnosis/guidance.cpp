#include "diagnosis/guidance.h"

#include <string_view>
#include <utility>

namespace pravex {
namespace {

// The lines of one block, joined by CR LF when the window is built.
using Lines = std::vector<std::wstring_view>;

// One block of a window: either shared by both products, or a pair of
// product variants (then `shared` is empty).
struct Entry {
  Lines shared;
  Lines vastrel;
  Lines zpx;
};

Entry Shared(Lines lines) {
  return Entry{std::move(lines), {}, {}};
}

Entry ByProduct(Lines vastrel, Lines zpx) {
  return Entry{{}, std::move(vastrel), std::move(zpx)};
}

// How a window turns the product flags into its product variants.
enum class Pick {
  kZpxElseVastrel,  // the ZPX variant when ZPX was chosen, else the Vastrel one
  kVastrelElseZpx,  // the Vastrel variant when Vastrel was chosen, else the ZPX one
  kEachChosen,      // the Vastrel variant if chosen, then the ZPX variant if chosen
};

struct Window {
  Pick pick;
  std::vector<Entry> entries;
};

// ---------------------------------------------------------------------------
// Result: no problem found; the report is for the record.
// ---------------------------------------------------------------------------
const Window& ResultWindow() {
  static const Window window{
      Pick::kZpxElseVastrel,
      {
          Shared({L"No problem was found. The status tool reports that the product license is "
                  L"valid and that the runtime service is running normally."}),
          ByProduct({L"The report below shows the current state of Vastrel on this PC. No action "
                     L"is needed; you can keep the report for your records."},
                    {L"The report below shows the current state of your ZPX-based tool on this "
                     L"PC. No action is needed; you can keep the report for your records."}),
          ByProduct(
              {L"If Vastrel still does not work as expected, the cause is probably not the "
               L"license or the runtime service but, for example, a project, a connection or a "
               L"setting. In that case contact QuorvelCare, describe what you were doing and what "
               L"happened (including the exact text of any error message) and include this "
               L"report."},
              {L"If your ZPX-based tool still does not work as expected, the cause is probably "
               L"not the license or the runtime service but, for example, a project, a connection "
               L"or a setting. In that case contact QuorvelCare, describe what you were doing and "
               L"what happened (including the exact text of any error message) and include this "
               L"report."}),
          Shared({L"To include the report, click \"Send the result to Quorvel FTP Server\" and "
                  L"tell QuorvelCare that you sent it, or click \"Save as...\" and attach the "
                  L"saved file to your message. \"Copy to Clipboard\" copies the whole text so "
                  L"that you can paste it into a message."}),
          Shared({L"The full report from the status tool follows below the line."}),
      }};
  return window;
}

// ---------------------------------------------------------------------------
// IssueA: the license has expired.
// ---------------------------------------------------------------------------
const Window& IssueAWindow() {
  static const Window window{
      Pick::kVastrelElseZpx,
      {
          Shared({L"The status tool found that the product license has EXPIRED. Until a valid "
                  L"license is installed, the product will not start or will not work fully."}),
          Shared({
              L"1. Check that the date, time and time zone of this PC are correct (Settings > "
              L"Time & language > Date & time). A wrong clock can make a valid license look "
              L"expired.",
              L"2. If the clock was wrong, turn on \"Set time automatically\" or correct the date "
              L"by hand, restart the PC and run Pravex again.",
              L"3. Ask the person who manages Quorvel licenses in your organization whether the "
              L"license has been renewed. A renewed license only takes effect once it is "
              L"installed on this PC.",
              L"4. If the license has not been renewed yet, it must be renewed before the product "
              L"can be used again; QuorvelCare can help with this.",
              L"5. Before you close this window, click \"Save as...\" or \"Copy to Clipboard\" to "
              L"keep this report; it shows the license details that QuorvelCare will need.",
          }),
          Shared({L"If the license has been renewed, install the renewed license as described "
                  L"below. Close the product first and sign in to Windows with an account that "
                  L"has administrator rights."}),
          Shared({L"Keep the renewed license file exactly as you received it: do not rename, "
                  L"edit or open and save it in another program, because a changed license file "
                  L"fails its check."}),
          ByProduct({L"For Vastrel: open the Vastrel license manager as administrator (right-click "
                     L"it and choose \"Run as administrator\"), install or activate the renewed "
                     L"license, then restart the Vastrel runtime service: press Windows+R, type "
                     L"services.msc, press Enter, right-click the Vastrel runtime service and "
                     L"choose Restart."},
                    {L"For your ZPX-based tool: open the ZPX license manager as administrator "
                     L"(right-click it and choose \"Run as administrator\"), install or activate "
                     L"the renewed license, then restart the ZPX runtime service: press "
                     L"Windows+R, type services.msc, press Enter, right-click the ZPX runtime "
                     L"service and choose Restart."}),
          Shared({L"Then run Pravex again to confirm that the license is now reported as valid."}),
          Shared({L"If the license is still reported as expired, or you believe it should not "
                  L"have expired yet, contact QuorvelCare and include this report: click \"Send "
                  L"the result to Quorvel FTP Server\" and tell QuorvelCare that you sent it, or "
                  L"click \"Save as...\" and attach the saved file to your message."}),
          Shared({L"The full report from the status tool is below. Please send it to QuorvelCare "
                  L"unchanged: it holds the details they need to help you."}),
      }};
  return window;
}

// ---------------------------------------------------------------------------
// IssueB: the license is missing or invalid.
// ---------------------------------------------------------------------------
const Window& IssueBWindow() {
  static const Window window{
      Pick::kEachChosen,
      {
          Shared({L"The status tool could not find a valid license for the product: the "
                  L"license is MISSING (it was not found on this PC) or INVALID (it was found "
                  L"but failed its check)."}),
          Shared({L"This usually happens after a new installation, after the product was moved "
                  L"to another PC, when the license file was deleted, damaged or changed, or when "
                  L"the license was issued for another PC or another product."}),
          ByProduct({L"For Vastrel: open the Vastrel license manager as administrator (right-click "
                     L"it and choose \"Run as administrator\") and check that a license is listed "
                     L"and active. If none is listed, or the license is shown as invalid, install "
                     L"or activate the license you received from Quorvel, then restart the "
                     L"Vastrel runtime service in the Services console (services.msc)."},
                    {L"For ZPX-based tools: open the ZPX license manager as administrator "
                     L"(right-click it and choose \"Run as administrator\") and check that a "
                     L"license is listed and active. If none is listed, or the license is shown "
                     L"as invalid, install or activate the license you received from Quorvel, "
                     L"then restart the ZPX runtime service in the Services console "
                     L"(services.msc)."}),
          Shared({L"Use the original license file exactly as you received it: do not rename or "
                  L"edit it. A license issued for another PC does not work on this one; it has to "
                  L"be transferred or issued again, which QuorvelCare can arrange."}),
          Shared({L"Also check that the date, time and time zone of this PC are correct (Settings "
                  L"> Time & language > Date & time), restart the PC and run Pravex again."}),
          Shared({L"If the license is still reported as missing or invalid, contact QuorvelCare "
                  L"and include this report: click \"Send the result to Quorvel FTP Server\" and "
                  L"tell QuorvelCare that you sent it, or click \"Save as...\" and attach the "
                  L"saved file to your message. Please say whether this is a new installation "
                  L"or the license worked on this PC before."}),
          Shared({L"The full report from the status tool is below. Please send it to QuorvelCare "
                  L"unchanged: it holds the details they need to help you."}),
      }};
  return window;
}

// ---------------------------------------------------------------------------
// IssueC: the runtime service crashed or is disabled.
// ---------------------------------------------------------------------------
const Window& IssueCWindow() {
  static const Window window{
      Pick::kVastrelElseZpx,
      {
          // 1-5: what was found and how to go about it.
          Shared({L"The status tool found that the product's runtime service has CRASHED or is "
                  L"DISABLED. The product cannot work until the service is running again."}),
          Shared({L"CRASHED means that the service stopped unexpectedly because of an error. "
                  L"DISABLED means that its startup type is set to Disabled, so Windows does not "
                  L"start it at all."}),
          Shared({L"The steps below go from the simplest to the most thorough. After each step, "
                  L"run Pravex again; you can stop as soon as no problem is found."}),
          Shared({L"Several steps need administrator rights. If you do not have an administrator "
                  L"account on this PC, ask your IT department to go through the steps with "
                  L"you."}),
          Shared({L"Before you start, click \"Save as...\" to keep a copy of this report: "
                  L"running Pravex again opens a new result."}),
          // 6-7: step 1.
          Shared({L"Step 1 - Restart the PC."}),
          Shared({L"A restart clears many temporary problems, such as a locked file or a process "
                  L"that no longer responds, and starts every service that is set to start "
                  L"automatically."}),
          // 8-10: step 2.
          Shared({L"Step 2 - Check the service in the Services console."}),
          Shared({
              L"1. Press Windows+R, type services.msc and press Enter.",
              L"2. Find the runtime service of your product in the list (the Vastrel runtime "
              L"service, or the ZPX runtime service for other ZPX-based tools).",
              L"3. Double-click it to open its Properties.",
              L"4. If Startup type is Disabled, set it to Automatic and click Apply.",
              L"5. If Service status is not Running, click Start and wait until it shows Running.",
              L"6. Click OK and run Pravex again.",
          }),
          Shared({L"If Windows shows an error when you click Start, or the service starts but "
                  L"stops again after a short time, write down the exact error message and go on "
                  L"with the next steps."}),
          // 11-12: step 3.
          Shared({L"Step 3 - Let Windows restart the service after a failure."}),
          Shared({L"In the service's Properties, open the Recovery tab, set \"First failure\" "
                  L"and \"Second failure\" to \"Restart the Service\" and click OK. This keeps the "
                  L"product available while the cause of the crash is being looked into."}),
          // 13-16: step 4.
          Shared({L"Step 4 - Look for the cause in Event Viewer."}),
          Shared({L"Press Windows+R, type eventvwr.msc and press Enter, then look in Windows Logs "
                  L"> System and in Windows Logs > Application."}),
          Shared({L"Look for Error entries from the time the service stopped, for example from "
                  L"Service Control Manager, Application Error or the product itself. Their "
                  L"details often name a missing file, a denied access or a faulting module."}),
          Shared({L"Keep what you find for QuorvelCare: select an entry, choose Copy > \"Copy "
                  L"Details as Text\" and paste it into your message, or note the date, time, "
                  L"source and event ID of each error."}),
          // 17-18: step 5.
          Shared({L"Step 5 - Check your security software."}),
          Shared({L"Antivirus or other security software can block the service or move its files "
                  L"into quarantine. Check its quarantine and its log for the product's files; if "
                  L"files were blocked, ask your IT department to allow the product and then "
                  L"repair it (step 8)."}),
          // 19-20: step 6.
          Shared({L"Step 6 - Check the account the service runs as."}),
          Shared({L"On the Log On tab of the service's Properties, check which account the service "
                  L"uses. If this setting was changed, or the password of that account was "
                  L"changed or has expired, the service cannot start; ask your IT department to "
                  L"correct it."}),
          // 21-22: step 7.
          Shared({L"Step 7 - Check disk space and Windows updates."}),
          Shared({L"Make sure that the system drive (usually C:) has several gigabytes of free "
                  L"space, install any pending Windows updates, restart the PC and run Pravex "
                  L"again."}),
          // 23-25: step 8.
          Shared({L"Step 8 - Repair or reinstall the product."}),
          Shared({L"A repair replaces damaged or missing files of the service and keeps your "
                  L"settings. Close the product and sign in as an administrator first. If you "
                  L"have to uninstall and reinstall, keep your license file or license details at "
                  L"hand, because you may need to install the license again."}),
          ByProduct(
              {
                  L"To repair Vastrel:",
                  L"1. Open Settings > Apps > Apps & features (Installed apps on Windows 11) and "
                  L"find Vastrel in the list.",
                  L"2. Choose Modify and then Repair if it is offered; otherwise uninstall Vastrel "
                  L"and install it again from its original installer (right-click the installer "
                  L"and choose \"Run as administrator\").",
                  L"3. Restart the PC and check in services.msc that the Vastrel runtime service "
                  L"has Startup type Automatic and is Running.",
                  L"4. Run Pravex again with Vastrel selected to confirm that the problem is "
                  L"solved.",
              },
              {
                  L"To repair your ZPX-based tool:",
                  L"1. Open Settings > Apps > Apps & features (Installed apps on Windows 11) and "
                  L"find your ZPX-based tool in the list.",
                  L"2. Choose Modify and then Repair if it is offered; otherwise uninstall the "
                  L"ZPX-based tool and install it again from its original installer (right-click "
                  L"the installer and choose \"Run as administrator\").",
                  L"3. Restart the PC and check in services.msc that the ZPX runtime service has "
                  L"Startup type Automatic and is Running.",
                  L"4. Run Pravex again with the ZPX option selected to confirm that the problem "
                  L"is solved.",
              }),
          // 26-29: step 9 and the report.
          Shared({L"Step 9 - Contact QuorvelCare."}),
          Shared({L"If the service still crashes or stays disabled, contact QuorvelCare. Say "
                  L"which steps you tried, give the exact error messages you saw and tell when the "
                  L"problem started, for example after an update or another change to the PC."}),
          Shared({L"Include this report: click \"Send the result to Quorvel FTP Server\" and tell "
                  L"QuorvelCare that you sent it, or click \"Save as...\" and attach the saved "
                  L"file to your message. \"Copy to Clipboard\" copies the whole text so that you "
                  L"can paste it into a message."}),
          Shared({L"The full report from the status tool is below. Please send it to QuorvelCare "
                  L"unchanged: it holds the details they need to help you."}),
      }};
  return window;
}

// ---------------------------------------------------------------------------
// IssueD: the runtime service is stopped.
// ---------------------------------------------------------------------------
const Window& IssueDWindow() {
  static const Window window{
      Pick::kEachChosen,  // no product variants
      {
          Shared({L"The status tool found that the product's runtime service is STOPPED: it is "
                  L"installed and not disabled, but it is not running, so the product cannot "
                  L"work."}),
          Shared({L"This is usually easy to fix. The service may have been stopped by hand or by "
                  L"an update, or it may not have started when the PC was last started."}),
          Shared({
              L"1. Press Windows+R, type services.msc and press Enter. Find the runtime service "
              L"of your product (the Vastrel runtime service, or the ZPX runtime service for other "
              L"ZPX-based tools), right-click it and choose Start; this may need administrator "
              L"rights.",
              L"2. Double-click the service and check that Startup type is Automatic, so that it "
              L"starts with Windows; then run Pravex again to confirm that the service is "
              L"running.",
          }),
          Shared({L"If the service does not start, or stops again soon after, restart the PC and "
                  L"look in Event Viewer (eventvwr.msc, Windows Logs > System) for errors at that "
                  L"time. If that does not help, contact QuorvelCare and include the full report "
                  L"below: click \"Send the result to Quorvel FTP Server\" and tell QuorvelCare "
                  L"that you sent it, or click \"Save as...\" and attach the saved file."}),
      }};
  return window;
}

const Window* WindowOf(ResultKind kind) {
  switch (kind) {
    case ResultKind::kResult:
      return &ResultWindow();
    case ResultKind::kIssueA:
      return &IssueAWindow();
    case ResultKind::kIssueB:
      return &IssueBWindow();
    case ResultKind::kIssueC:
      return &IssueCWindow();
    case ResultKind::kIssueD:
      return &IssueDWindow();
  }
  return nullptr;
}

std::wstring Joined(const Lines& lines) {
  std::wstring block;
  for (std::wstring_view line : lines) {
    if (!block.empty()) block += L"\r\n";
    block += line;
  }
  return block;
}

}  // namespace

std::vector<std::wstring> GuidanceBlocks(ResultKind kind, bool choseVastrel, bool choseZpx) {
  const Window* window = WindowOf(kind);
  if (!window) return {};
  std::vector<std::wstring> blocks;
  for (const Entry& entry : window->entries) {
    if (!entry.shared.empty()) {
      blocks.push_back(Joined(entry.shared));
      continue;
    }
    switch (window->pick) {
      case Pick::kZpxElseVastrel:
        blocks.push_back(Joined(choseZpx ? entry.zpx : entry.vastrel));
        break;
      case Pick::kVastrelElseZpx:
        blocks.push_back(Joined(choseVastrel ? entry.vastrel : entry.zpx));
        break;
      case Pick::kEachChosen:
        if (choseVastrel) blocks.push_back(Joined(entry.vastrel));
        if (choseZpx) blocks.push_back(Joined(entry.zpx));
        break;
    }
  }
  return blocks;
}

}  // namespace pravex
