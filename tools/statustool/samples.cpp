#include "tools/statustool/samples.h"

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

}  // namespace

std::span<const Sample> AllSamples() {
  return kSamples;
}

const Sample* FindSample(std::wstring_view name) {
  for (const Sample& sample : kSamples) {
    if (sample.name == name) return &sample;
  }
  return nullptr;
}

}  // namespace pravex::statustool
