// A whole program on fake platform services.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "app/program.h"
#include "tests/fakes/fake_platform.h"

namespace pravex::testing {

class ProgramTest : public ::testing::Test {
 protected:
  void Start() {
    program_ = std::make_unique<Program>(fake_.platform);
    program_->Start();
  }

  Program& program() { return *program_; }
  MemoryWindow& Window(std::wstring_view form) { return fake_.windows.Get(form); }
  bool Loaded(std::wstring_view form) { return fake_.windows.Find(form) != nullptr; }

  std::vector<std::wstring> Prompts() const {
    std::vector<std::wstring> prompts;
    for (const auto& shown : fake_.messageBoxes.shown) prompts.push_back(shown.prompt);
    return prompts;
  }

  FakePlatform fake_;
  std::unique_ptr<Program> program_;
};

}  // namespace pravex::testing
