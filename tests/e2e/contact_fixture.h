// What the tests of "Send the result to Quorvel FTP Server" share: a result
// window, the modal Contact Information window it opens, the details typed
// there and the details Pravex keeps in the registry.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "tests/e2e/diagnosis_fixture.h"
#include "tests/e2e/driver/user_registry.h"

namespace pravex::e2e {

struct ContactDetails {
  std::wstring name;
  std::wstring company;
  std::wstring email;
  friend bool operator==(const ContactDetails&, const ContactDetails&) = default;
  friend std::ostream& operator<<(std::ostream& out, const ContactDetails& details);
};

// The three registry values as they are stored, each possibly missing.
struct StoredContact {
  std::optional<RegistryValue> name;
  std::optional<RegistryValue> company;
  std::optional<RegistryValue> email;
  friend bool operator==(const StoredContact&, const StoredContact&) = default;
  friend std::ostream& operator<<(std::ostream& out, const StoredContact& stored);
};

// The details as Pravex stores them: three REG_SZ values.
StoredContact AsStored(const ContactDetails& details);

// The line OK appends to the report for this e-mail address, in the ANSI
// code page.
std::string EmailLine(std::wstring_view email);

class ContactTest : public DiagnosisTest {
 protected:
  // Presses Send and returns the Contact Information window once it shows.
  HWND OpenContactWindow(const ResultWindow& window);
  static HWND ContactControl(HWND contact, std::wstring_view name);
  static void Fill(HWND contact, const ContactDetails& details);
  static ContactDetails ShownDetails(HWND contact);
  // Presses OK and returns the box that follows within `limit`.
  ShownBox ConfirmAndWaitForBox(HWND contact, Milliseconds limit = kShowLimit);

  static void Store(const ContactDetails& details);
  static StoredContact ReadStored();
};

}  // namespace pravex::e2e
