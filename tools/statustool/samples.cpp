#include "tools/statustool/samples.h"

#include <windows.h>

#include "tools/statustool/log_padding.h"
#include "tools/statustool/report_parts.h"

namespace pravex::statustool {

namespace {

using namespace parts;
using enum Stream;
using enum Twist;

// clang-format off
constexpr Sample kSamples[] = {
  // name          header     service    license            stream twist         exit  warning
  {L"healthy",     kMarked,   kRunning,  kLicensed,         kOut,  kNone,        0,    ""},
  {L"expired",     kMarked,   kRunning,  kExpired,          kOut,  kNone,        0,    "warning: the license for {product} expired on 2023-12-31\n"},
  {L"missing",     kMarked,   kRunning,  kMissing,          kOut,  kNone,        0,    "error: no license found for {product}\n"},
  {L"invalid",     kMarked,   kRunning,  kInvalid,          kOut,  kNone,        0,    "error: license signature check failed (code 0x8009000B)\n"},
  {L"crashed",     kMarked,   kCrashed,  kLicensed,         kOut,  kNone,        0,    "warning: ZpxRuntime ended unexpectedly 3 times since 08:02\n"},
  {L"disabled",    kMarked,   kDisabled, kLicensed,         kOut,  kNone,        0,    "warning: ZpxRuntime is disabled\n"},
  {L"stopped",     kMarked,   kStopped,  kLicensed,         kOut,  kNone,        0,    ""},
  {L"unusable",    kUnmarked, kRunning,  kMissing,          kOut,  kNone,        0,    "error: status store damaged (code 0x80070017)\n"},
  {L"empty",       kMarked,   kRunning,  kLicensed,         kOut,  kNothing,     0,    ""},
  {L"stderr-only", kMarked,   kRunning,  kLicensed,         kErr,  kNone,        0,    ""},
  {L"exitcode",    kMarked,   kRunning,  kLicensed,         kOut,  kNone,        3,    ""},
  {L"crash",       kMarked,   kRunning,  kLicensed,         kOut,  kCrashMidway, 0,    ""},
  {L"big",         kMarked,   kRunning,  kLicensed,         kOut,  kLogPadding,  0,    ""},
  {L"binary",      kMarked,   kRunning,  kExpired,          kOut,  kOddBytes,    0,    ""},
  {L"slow",        kMarked,   kRunning,  kLicensed,         kOut,  kDelay,       0,    ""},
  {L"helper",      kMarked,   kRunning,  kLicensed,         kOut,  kLeaveHelper, 0,    ""},
  {L"lowercase",   kMarked,   kRunning,  kExpiredOtherCase, kOut,  kNone,        0,    ""},
};
// clang-format on

// Dies as an unhandled access violation does, but without a fault dialog or
// a debugger attaching, which would keep a hidden, waited-for process alive.
[[noreturn]] void CrashNow() {
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  ::SetUnhandledExceptionFilter(
      [](EXCEPTION_POINTERS*) -> LONG { return EXCEPTION_EXECUTE_HANDLER; });
  ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  ::TerminateProcess(::GetCurrentProcess(), EXCEPTION_ACCESS_VIOLATION);
  for (;;) {
  }
}

// A helper of the tool's own that outlives it, as a service helper it
// restarted would: the same program with kHelperArgument, sharing no handle
// (the report file least of all) with the tool.
void StartHelper() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + std::wstring(kHelperArgument);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_NO_WINDOW | DETACHED_PROCESS, nullptr, nullptr, &startup, &info)) {
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
  }
}

}  // namespace

std::wstring SampleNames() {
  std::wstring names;
  for (const Sample& sample : kSamples) {
    if (!names.empty()) names += L", ";
    names += sample.name;
  }
  return names;
}

const Sample* FindSample(std::wstring_view name) {
  for (const Sample& sample : kSamples) {
    if (sample.name == name) return &sample;
  }
  return nullptr;
}

int RunHelper(const Settings& settings) {
  ::Sleep(settings.delaySeconds * 1000);
  return 0;
}

int RunSample(const Sample& sample, const ReportValues& values, const Settings& settings,
              Output& out) {
  if (sample.twist == Twist::kNothing) return sample.exitCode;
  if (sample.twist == Twist::kDelay) ::Sleep(settings.delaySeconds * 1000);
  if (sample.twist == Twist::kLeaveHelper) StartHelper();

  const LineEnd lineEnd = sample.twist == Twist::kOddBytes ? LineEnd::kLf : LineEnd::kCrLf;
  const auto fill = [&](std::string_view part) { return Fill(part, values, lineEnd); };
  const std::string header = fill(sample.header);
  const std::string service = fill(sample.service);
  const std::string license = fill(sample.license);
  const std::string footer = fill(parts::kFooter);
  const Stream stream = sample.stream;

  out.Write(stream, header);
  if (sample.twist == Twist::kLogPadding) {
    const std::string title = fill(parts::kLogTitle);
    const std::uint64_t fixedBytes =
        header.size() + title.size() + service.size() + license.size() + footer.size();
    out.Write(stream, title);
    WriteLogLines(out, stream,
                  settings.reportBytes > fixedBytes ? settings.reportBytes - fixedBytes : 0,
                  lineEnd);
  }
  if (sample.twist == Twist::kOddBytes) out.Write(stream, fill(parts::kOddEvents));
  out.Write(stream, service);
  if (!sample.warning.empty()) out.Write(Stream::kErr, fill(sample.warning));
  if (sample.twist == Twist::kCrashMidway) {
    out.Write(stream, std::string_view(license).substr(0, license.size() / 2));
    out.Flush();
    CrashNow();
  }
  out.Write(stream, license);
  out.Write(stream, footer);
  out.Flush();
  return sample.exitCode;
}

}  // namespace pravex::statustool
