// The x64 setup program as an administrator meets it, in a Wine prefix of its own: a silent
// install with every component, what it wrote, Varnel.exe and varnel-cli.exe started from the
// installed folder, a silent uninstall that leaves nothing of ours but the user's files; and an
// upgrade over an older version that keeps the configuration, the folder and the components.
// run_setup_tests.sh passes the setup programs' paths in VARNEL_TEST_SETUP and
// VARNEL_TEST_PREVIOUS_SETUP, and their versions in VARNEL_TEST_VERSION and
// VARNEL_TEST_PREVIOUS_VERSION.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "opc/opc.h"
#include "tests/gui/varnel_driver.h"
#include "tests/packaging/setup_probe.h"
#include "tests/support/program_run.h"
#include "win/apartment.h"
#include "win/guid.h"
#include "win/handle.h"
#include "win/registry.h"

namespace {

using namespace std::string_literals;
using packaging_test::ContainsText;
using packaging_test::FolderEntries;
using packaging_test::FolderExists;
using packaging_test::SameText;
using packaging_test::ShellFolder;

const std::wstring kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnel";
const std::wstring kClasses = L"Software\\Classes\\";
const std::wstring kCapabilitiesKey = L"Software\\Varnel\\Capabilities";
const std::vector<std::wstring> kPrograms = {L"Varnel.exe", L"Ambrel.dll", L"varnel-cli.exe",
                                             L"VarnelOpcPs.dll", L"hdasim.exe"};
const std::vector<std::wstring> kDeveloperFiles = {L"ambrel.h", L"CHANGELOG.md",
                                                   L"libAmbrel.dll.a"};

std::wstring Environment(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value ? value : L"";
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::optional<std::wstring> MachineString(const std::wstring& key, const wchar_t* name = nullptr) {
  return win::ReadRegString(HKEY_LOCAL_MACHINE, key, name);
}

bool MachineKeyExists(const std::wstring& key) {
  return win::RegKeyExists(HKEY_LOCAL_MACHINE, key);
}

std::wstring StartMenuFolder() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\Varnel"; }
std::wstring UserFolder() { return ShellFolder(CSIDL_APPDATA) + L"\\Varnel"; }
std::wstring DefaultInstallFolder() { return ShellFolder(CSIDL_PROGRAM_FILES) + L"\\Varnel"; }
// The user manuals go where Varnel finds them from any start directory.
std::wstring ManualFolder() { return ShellFolder(CSIDL_WINDOWS) + L"\\Help"; }

std::vector<std::wstring> InstalledManuals() {
  std::vector<std::wstring> manuals;
  for (const std::wstring& name : FolderEntries(ManualFolder()))
    if (name.rfind(L"Varnel Help ", 0) == 0) manuals.push_back(name);
  return manuals;
}

std::wstring ProxyStubClass() {
  return kClasses + L"CLSID\\" + win::GuidText(CLSID_VarnelOpcPSFactory);
}
std::wstring HdaServerInterface() {
  return kClasses + L"Interface\\" + win::GuidText(IID_IOPCHDA_Server);
}

// The simulator's ProgIDs: the version-independent one and classes 1 to 17.
std::vector<std::wstring> SimulatorProgIds() {
  std::vector<std::wstring> ids = {L"Varnel.HdaSim"};
  for (int n = 1; n <= 17; ++n) ids.push_back(L"Varnel.HdaSim." + std::to_wstring(n));
  return ids;
}

// The local server the class of a ProgID names, or "" when the ProgID or class is missing.
std::wstring LocalServerOf(const std::wstring& prog_id) {
  const auto clsid = MachineString(kClasses + prog_id + L"\\CLSID");
  if (!clsid) return {};
  return MachineString(kClasses + L"CLSID\\" + *clsid + L"\\LocalServer32").value_or(L"");
}

test_support::ProgramRun RunSetup(const std::wstring& setup, const std::wstring& options) {
  return test_support::RunProgram(Quoted(setup) + L" /S " + options);
}

// Every trace of our own that an uninstall has to remove.
void ExpectNothingOfOursLeft(const std::wstring& folder) {
  EXPECT_FALSE(MachineKeyExists(kUninstallKey)) << "the uninstall entry is still there";
  EXPECT_FALSE(FolderExists(StartMenuFolder())) << "the Start-menu folder is still there";
  for (const std::wstring& file : kPrograms)
    EXPECT_EQ(GetFileAttributesW((folder + L"\\" + file).c_str()), INVALID_FILE_ATTRIBUTES) << file;
  EXPECT_FALSE(FolderExists(folder + L"\\Developer"));
  EXPECT_FALSE(MachineKeyExists(ProxyStubClass())) << "the proxy/stub class is still registered";
  EXPECT_FALSE(MachineKeyExists(HdaServerInterface())) << "IOPCHDA_Server still has our proxy/stub";
  for (const std::wstring& prog_id : SimulatorProgIds())
    EXPECT_FALSE(MachineKeyExists(kClasses + prog_id)) << prog_id << " is still registered";
  EXPECT_FALSE(MachineKeyExists(kClasses + L"AppID\\hdasim.exe"));
  EXPECT_EQ(packaging_test::ClassesServedFrom(folder), std::vector<std::wstring>{})
      << "classes still name files of " << folder;
  EXPECT_FALSE(MachineKeyExists(kClasses + L"Varnel.Document"));
  EXPECT_FALSE(MachineString(kClasses + L".xml\\OpenWithProgids", L"Varnel.Document").has_value());
  EXPECT_FALSE(MachineString(L"Software\\RegisteredApplications", L"Varnel").has_value());
  EXPECT_FALSE(MachineKeyExists(L"Software\\Varnel")) << "the capabilities are still there";
  for (const std::wstring& key : {kClasses + L".xml\\OpenWithProgids", kClasses + L".xml"})
    EXPECT_FALSE(packaging_test::IsEmptyMachineKey(key)) << gui::Narrow(key) << " is left empty";
  EXPECT_EQ(InstalledManuals(), std::vector<std::wstring>{}) << "user manuals are still there";
}

// The uninstaller hands its exit code to the caller before it removes its own file and the
// folder, and holds this mutex until it has; a setup waits for it as this does.
void WaitUntilUninstallFinished() {
  win::UniqueKernelHandle mutex(
      OpenMutexW(SYNCHRONIZE, FALSE, L"Global\\VarnelUninstallFinishing"));
  if (mutex) WaitForSingleObject(mutex.Get(), 60000);
}

class Setup : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_) << "no COM apartment for reading shortcuts";
    setup_ = Environment(L"VARNEL_TEST_SETUP");
    previous_setup_ = Environment(L"VARNEL_TEST_PREVIOUS_SETUP");
    version_ = Environment(L"VARNEL_TEST_VERSION");
    previous_version_ = Environment(L"VARNEL_TEST_PREVIOUS_VERSION");
    ASSERT_FALSE(setup_.empty() || previous_setup_.empty() || version_.empty() ||
                 previous_version_.empty())
        << "run through run_setup_tests.sh, which names the setup programs and their versions";
    ASSERT_FALSE(MachineKeyExists(kUninstallKey)) << "Varnel is installed before the test";
  }

  // A test that stopped half-way leaves no install behind for the next one, and no entry of a
  // 32-bit Varnel made up for the test.
  void TearDown() override {
    if (HasFailure() && MachineKeyExists(kUninstallKey)) Uninstall();
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey.c_str(), KEY_WOW64_32KEY, 0);
  }

  // Runs the quiet uninstall command of the entry, as a deployment tool does, and gives its exit
  // code.
  static DWORD Uninstall() {
    const auto command = MachineString(kUninstallKey, L"QuietUninstallString");
    if (!command) return 0xFFFFFFFF;
    const auto run = test_support::RunProgram(*command);
    return run.finished ? run.exit_code : 0xFFFFFFFF;
  }

  win::Apartment apartment_{COINIT_APARTMENTTHREADED};
  std::wstring setup_, previous_setup_, version_, previous_version_;
};

TEST_F(Setup, InstallsEverythingRunsAndUninstallsWithoutTraces) {
  // Another program has .xml, as on Windows; the uninstall gives it back.
  ASSERT_TRUE(win::WriteRegString(HKEY_LOCAL_MACHINE, kClasses + L".xml", nullptr, L"xmlfile"));

  const auto install = RunSetup(setup_, L"/Simulator /Developer /AssociateXml");
  ASSERT_TRUE(install.finished) << "the setup did not end";
  ASSERT_EQ(install.exit_code, 0u) << install.output;
  const std::wstring folder = DefaultInstallFolder();

  // Add/Remove Programs.
  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayName"), L"Varnel");
  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayVersion"), version_);
  EXPECT_EQ(MachineString(kUninstallKey, L"Publisher"), L"Molrand");
  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayIcon"), folder + L"\\Varnel.exe,0");
  EXPECT_EQ(MachineString(kUninstallKey, L"InstallLocation"), folder);
  EXPECT_EQ(MachineString(kUninstallKey, L"UninstallString"),
            Quoted(folder + L"\\uninstall.exe") + L" _?=" + folder);
  const auto quiet_uninstall = MachineString(kUninstallKey, L"QuietUninstallString");
  ASSERT_EQ(quiet_uninstall, Quoted(folder + L"\\uninstall.exe") + L" /S _?=" + folder);
  const auto size_kb = win::ReadRegDword(HKEY_LOCAL_MACHINE, kUninstallKey, L"EstimatedSize");
  ASSERT_TRUE(size_kb.has_value());
  EXPECT_NEAR(static_cast<double>(*size_kb), packaging_test::FolderBytes(folder) / 1024.0, 16.0)
      << "the size shown is not the size installed";

  // Files, each binary with the build's version.
  for (const std::wstring& file : kPrograms) {
    const auto versions = packaging_test::ReadFileVersions(folder + L"\\" + file);
    ASSERT_TRUE(versions.has_value()) << file << " is missing or has no version resource";
    EXPECT_EQ(versions->file, version_) << file;
    EXPECT_EQ(versions->product, version_) << file;
  }
  for (const std::wstring& file : kDeveloperFiles)
    EXPECT_TRUE(gui::FileExists(folder + L"\\Developer\\" + file)) << file;

  // Registrations: the proxy/stub for the OPC HDA interfaces, the simulator's classes, .xml.
  EXPECT_TRUE(SameText(MachineString(ProxyStubClass() + L"\\InprocServer32").value_or(L""),
                       folder + L"\\VarnelOpcPs.dll"));
  EXPECT_EQ(MachineString(HdaServerInterface() + L"\\ProxyStubClsid32"),
            win::GuidText(CLSID_VarnelOpcPSFactory));
  for (const std::wstring& prog_id : SimulatorProgIds())
    EXPECT_TRUE(ContainsText(LocalServerOf(prog_id), folder + L"\\hdasim.exe")) << prog_id;
  // .xml: Varnel is offered, as a registered application with the capability, and the program
  // that had .xml keeps it.
  EXPECT_EQ(MachineString(kClasses + L".xml"), L"xmlfile") << "the setup took .xml";
  EXPECT_TRUE(MachineString(kClasses + L".xml\\OpenWithProgids", L"Varnel.Document").has_value());
  EXPECT_EQ(MachineString(L"Software\\RegisteredApplications", L"Varnel"), kCapabilitiesKey);
  EXPECT_EQ(MachineString(kCapabilitiesKey + L"\\FileAssociations", L".xml"), L"Varnel.Document");
  EXPECT_EQ(MachineString(kCapabilitiesKey, L"ApplicationName"), L"Varnel");
  const auto open_command = MachineString(kClasses + L"Varnel.Document\\shell\\open\\command");
  ASSERT_EQ(open_command, Quoted(folder + L"\\Varnel.exe") + L" /PerUser \"%1\"");

  // Shortcuts: Varnel starts in the install folder, which exists for every user, and chooses
  // the user's own folder itself. Nothing is left to run at other users' logon.
  const auto shortcut = packaging_test::ReadShortcut(StartMenuFolder() + L"\\Varnel.lnk");
  ASSERT_TRUE(shortcut.has_value()) << "no Start-menu shortcut";
  EXPECT_TRUE(SameText(shortcut->target, folder + L"\\Varnel.exe")) << shortcut->target;
  EXPECT_EQ(shortcut->arguments, L"/PerUser");
  EXPECT_TRUE(SameText(shortcut->working_dir, folder)) << gui::Narrow(shortcut->working_dir);
  const auto uninstall_shortcut =
      packaging_test::ReadShortcut(StartMenuFolder() + L"\\Uninstall Varnel.lnk");
  ASSERT_TRUE(uninstall_shortcut.has_value());
  EXPECT_TRUE(SameText(uninstall_shortcut->target, folder + L"\\uninstall.exe"));
  EXPECT_FALSE(
      MachineKeyExists(L"Software\\Microsoft\\Active Setup\\Installed Components\\Varnel"));

  // The installed programs work: the companion finds the installed simulator ...
  const auto servers = test_support::RunProgram(Quoted(folder + L"\\varnel-cli.exe") + L" servers");
  ASSERT_TRUE(servers.finished);
  EXPECT_EQ(servers.exit_code, 0u) << servers.output;
  EXPECT_TRUE(std::regex_search(servers.output, std::regex("(^|\n)Varnel\\.HdaSim\\.1\r?\n")))
      << servers.output;

  // ... and Varnel.exe, started as the shortcut starts it by a user who has no folder of their own
  // yet, opens its main window, makes the folder and keeps its log and configuration there.
  const std::wstring start_dir = UserFolder();
  gui::RemoveRunDirectory(start_dir);
  ASSERT_FALSE(FolderExists(start_dir));
  const std::vector<std::wstring> installed = FolderEntries(folder);
  {
    gui::VarnelProcess program(packaging_test::ExpandEnvironment(shortcut->working_dir),
                               shortcut->arguments, shortcut->target);
    ASSERT_TRUE(program.Start()) << "the installed Varnel.exe could not be started";
    ASSERT_NE(program.WaitMainWindow(), nullptr) << "no main window within 30 s";
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0) << "the program did not end cleanly";
  }
  EXPECT_TRUE(gui::FileExists(start_dir + L"\\Varnel.log")) << "no log in the user's folder";
  EXPECT_TRUE(gui::FileExists(start_dir + L"\\Varnel_Config.xml")) << "no configuration there";
  EXPECT_EQ(FolderEntries(folder), installed) << "the program wrote into the install folder";

  // A document opened from Explorer: the program starts in the document's folder with the open
  // command, and its log and configuration still go to the user's folder.
  const std::wstring documents = gui::MakeRunDirectory(L"setup-documents");
  const std::wstring document = documents + L"\\plant.xml";
  const auto made =
      test_support::RunProgram(Quoted(folder + L"\\varnel-cli.exe") +
                               L" doc new --server Varnel.HdaSim.1 --item \"Waves/Random walk "
                               L"1min\" --period last-hour --out " +
                               Quoted(document));
  ASSERT_EQ(made.exit_code, 0u) << made.output;
  DeleteFileW((start_dir + L"\\Varnel.log").c_str());
  {
    const std::wstring program_path = folder + L"\\Varnel.exe";
    std::wstring arguments = open_command->substr(Quoted(program_path).size() + 1);
    arguments.replace(arguments.find(L"%1"), 2, document);
    gui::VarnelProcess program(documents, arguments, program_path);
    ASSERT_TRUE(program.Start());
    ASSERT_NE(program.WaitMainWindow(), nullptr);
    EXPECT_TRUE(gui::WaitUntil([&] { return gui::FileExists(start_dir + L"\\Varnel.log"); }, 15000))
        << "no log in the user's folder";
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    program.WaitExit();
  }
  EXPECT_EQ(FolderEntries(documents), std::vector<std::wstring>{L"plant.xml"})
      << "the program wrote beside the document";
  gui::RemoveRunDirectory(documents);

  const std::vector<std::wstring> user_files = FolderEntries(start_dir);
  ASSERT_FALSE(user_files.empty());

  // Uninstall as an administrator's tool does, with the quiet command of the entry: when it
  // returns, the work is done.
  const auto uninstall = test_support::RunProgram(*quiet_uninstall);
  ASSERT_TRUE(uninstall.finished);
  EXPECT_EQ(uninstall.exit_code, 0u) << uninstall.output;
  ExpectNothingOfOursLeft(folder);
  WaitUntilUninstallFinished();
  EXPECT_FALSE(FolderExists(folder)) << "the install folder is still there";
  EXPECT_EQ(MachineString(kClasses + L".xml"), L"xmlfile") << ".xml was changed";
  EXPECT_EQ(FolderEntries(start_dir), user_files) << "the user's files were touched";
}

TEST_F(Setup, RefusesWhileTheOtherArchitectureIsInstalled) {
  {
    win::UniqueRegKey x86_entry =
        win::CreateRegKey(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WRITE | KEY_WOW64_32KEY);
    ASSERT_TRUE(x86_entry);
    ASSERT_TRUE(win::WriteRegString(x86_entry.Get(), L"DisplayName", L"Varnel (32-bit)"));
  }
  const auto refused = RunSetup(setup_, L"");
  ASSERT_TRUE(refused.finished);
  EXPECT_EQ(refused.exit_code, 2u);
  EXPECT_FALSE(MachineKeyExists(kUninstallKey));
  EXPECT_FALSE(gui::FileExists(DefaultInstallFolder() + L"\\Varnel.exe"));
}

TEST_F(Setup, UpgradeKeepsConfigurationFolderAndComponents) {
  const std::wstring folder = L"C:\\Plant Tools\\Varnel";
  const bool default_folder_existed = FolderExists(DefaultInstallFolder());
  const auto first = RunSetup(previous_setup_, L"/Simulator /D=" + folder);
  ASSERT_TRUE(first.finished);
  ASSERT_EQ(first.exit_code, 0u) << first.output;
  ASSERT_EQ(MachineString(kUninstallKey, L"DisplayVersion"), previous_version_);
  // The older version's package has a user manual.
  EXPECT_EQ(gui::ReadBytes(ManualFolder() + L"\\Varnel Help UK.pdf").substr(0, 5), "%PDF-");

  // The user's configuration where the shortcut starts Varnel, and one where someone started it
  // from the install folder.
  const std::string config = "\xFF\xFE<\0?\0x\0m\0l\0 \0k\0e\0p\0t\0?\0>\0"s;
  CreateDirectoryW(UserFolder().c_str(), nullptr);
  const std::wstring user_config = UserFolder() + L"\\Varnel_Config.xml";
  const std::wstring folder_config = folder + L"\\Varnel_Config.xml";
  gui::WriteBytes(user_config, config);
  gui::WriteBytes(folder_config, config);

  // No /D= and no components named: the same folder and the same components.
  const auto upgrade = RunSetup(setup_, L"");
  ASSERT_TRUE(upgrade.finished);
  ASSERT_EQ(upgrade.exit_code, 0u) << upgrade.output;
  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayVersion"), version_);
  EXPECT_EQ(MachineString(kUninstallKey, L"InstallLocation"), folder);
  EXPECT_EQ(FolderExists(DefaultInstallFolder()), default_folder_existed)
      << "the upgrade did not go into the installed version's folder";
  for (const std::wstring& file : kPrograms) {
    const auto versions = packaging_test::ReadFileVersions(folder + L"\\" + file);
    ASSERT_TRUE(versions.has_value()) << file;
    EXPECT_EQ(versions->file, version_) << file;
  }
  EXPECT_TRUE(ContainsText(LocalServerOf(L"Varnel.HdaSim.1"), folder + L"\\hdasim.exe"))
      << "the simulator chosen before is not registered after the upgrade";
  EXPECT_FALSE(FolderExists(folder + L"\\Developer")) << "a component nobody chose was installed";
  EXPECT_NE(MachineString(kClasses + L".xml"), L"Varnel.Document");
  EXPECT_EQ(gui::ReadBytes(user_config), config);
  EXPECT_EQ(gui::ReadBytes(folder_config), config);

  EXPECT_EQ(Uninstall(), 0u);
  ExpectNothingOfOursLeft(folder);
  WaitUntilUninstallFinished();
  EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"Varnel_Config.xml"})
      << "the uninstall removed the user's file or left files of ours";
  EXPECT_EQ(gui::ReadBytes(user_config), config);

  DeleteFileW(folder_config.c_str());
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(L"C:\\Plant Tools");
}

// A deployment script that removes Varnel and installs it again at once: the uninstall's exit
// code comes when its work is done, failures included, and nothing of it is still busy in the
// folder when the next setup writes there.
TEST_F(Setup, SilentUninstallReturnsItsResultWhenDone) {
  const std::wstring folder = DefaultInstallFolder();
  for (int round = 1; round <= 2; ++round) {
    const auto install = RunSetup(setup_, L"/Simulator");
    ASSERT_TRUE(install.finished);
    ASSERT_EQ(install.exit_code, 0u) << "round " << round << ": " << install.output;
    for (const std::wstring& file : kPrograms)
      ASSERT_TRUE(gui::FileExists(folder + L"\\" + file)) << "round " << round << ": " << file;
    ASSERT_TRUE(gui::FileExists(folder + L"\\uninstall.exe")) << "round " << round;
    // The next round's setup starts at once.
    ASSERT_EQ(Uninstall(), 0u) << "round " << round;
    ExpectNothingOfOursLeft(folder);
  }
  WaitUntilUninstallFinished();
  EXPECT_FALSE(FolderExists(folder)) << "the folder was left";

  // A part that cannot be removed is a failure the caller sees: a proxy/stub DLL that no longer
  // loads cannot unregister itself.
  const auto install = RunSetup(setup_, L"");
  ASSERT_TRUE(install.finished);
  ASSERT_EQ(install.exit_code, 0u) << install.output;
  gui::WriteBytes(folder + L"\\VarnelOpcPs.dll", "not a DLL");
  EXPECT_EQ(Uninstall(), 1u);
  EXPECT_FALSE(MachineKeyExists(kUninstallKey)) << "the rest was not removed";
  EXPECT_FALSE(gui::FileExists(folder + L"\\Varnel.exe"));
  // The proxy/stub's classes that could not be removed go with the next install's uninstall.
  const auto again = RunSetup(setup_, L"");
  ASSERT_TRUE(again.finished);
  ASSERT_EQ(again.exit_code, 0u) << again.output;
  EXPECT_EQ(Uninstall(), 0u);
  ExpectNothingOfOursLeft(folder);
}

// Varnel.exe running from the install folder: a silent upgrade and a silent uninstall stop
// before they change anything, with exit code 32, and nothing is left for a restart to delete;
// without /S the uninstaller asks. Once the program is closed both go through.
TEST_F(Setup, RunningProgramStopsUpgradeAndUninstallFirst) {
  const std::wstring folder = DefaultInstallFolder();
  const auto first = RunSetup(previous_setup_, L"/Simulator");
  ASSERT_TRUE(first.finished);
  ASSERT_EQ(first.exit_code, 0u) << first.output;
  const auto expect_previous_installed = [&](const char* after) {
    EXPECT_EQ(MachineString(kUninstallKey, L"DisplayVersion"), previous_version_) << after;
    for (const std::wstring& file : kPrograms)
      EXPECT_TRUE(gui::FileExists(folder + L"\\" + file))
          << after << ": " << gui::Narrow(file) << " is gone";
    EXPECT_TRUE(gui::FileExists(folder + L"\\uninstall.exe")) << after;
    EXPECT_TRUE(SameText(MachineString(ProxyStubClass() + L"\\InprocServer32").value_or(L""),
                         folder + L"\\VarnelOpcPs.dll"))
        << after << ": the proxy/stub is no longer registered";
    EXPECT_TRUE(ContainsText(LocalServerOf(L"Varnel.HdaSim.1"), folder + L"\\hdasim.exe")) << after;
    EXPECT_FALSE(ContainsText(packaging_test::PendingRestartOperations(), L"Varnel"))
        << after << ": files were left for a restart";
  };
  const std::wstring start_dir = gui::MakeRunDirectory(L"setup-running");
  {
    gui::VarnelProcess program(start_dir, L"", folder + L"\\Varnel.exe");
    ASSERT_TRUE(program.Start());
    ASSERT_NE(program.WaitMainWindow(), nullptr);

    const auto upgrade = RunSetup(setup_, L"");
    ASSERT_TRUE(upgrade.finished);
    EXPECT_EQ(upgrade.exit_code, 32u) << upgrade.output;
    expect_previous_installed("the upgrade");
    EXPECT_EQ(Uninstall(), 32u);
    expect_previous_installed("the silent uninstall");

    // Without /S, as Add/Remove Programs starts it: a question names the program, Cancel stops.
    packaging_test::StartedProgram asked(*MachineString(kUninstallKey, L"UninstallString"));
    ASSERT_TRUE(asked.Started());
    HWND box = nullptr;
    ASSERT_TRUE(gui::WaitUntil(
        [&] { return (box = FindWindowW(L"#32770", L"Varnel Uninstall")) != nullptr; }, 30000))
        << "no question";
    std::wstring question;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM texts) {
          *reinterpret_cast<std::wstring*>(texts) += gui::WindowText(child) + L"\n";
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&question));
    EXPECT_TRUE(ContainsText(question, L"Varnel.exe")) << gui::Narrow(question);
    gui::Click(gui::FindDescendant(box, L"Button", L"Cancel"));
    EXPECT_EQ(asked.WaitExit(30000), 32);
    expect_previous_installed("the cancelled uninstall");

    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitExit(), 0);
  }
  const auto upgrade = RunSetup(setup_, L"");
  ASSERT_TRUE(upgrade.finished);
  EXPECT_EQ(upgrade.exit_code, 0u) << upgrade.output;
  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayVersion"), version_);
  EXPECT_EQ(Uninstall(), 0u);
  ExpectNothingOfOursLeft(folder);
  EXPECT_EQ(packaging_test::PendingRestartOperations(), L"");
  gui::RemoveRunDirectory(start_dir);
}

// An install folder under C:\\ that every user may change, as the drive's own permissions make
// it there, gets Program Files' permissions before anything of ours goes into it: what the
// setup registers from it cannot be replaced by a user. Read back through the security API.
TEST_F(Setup, InstallFolderGetsProgramFilesPermissions) {
  const std::wstring parent = L"C:\\Plant Tools";
  const std::wstring folder = parent + L"\\Varnel";
  CreateDirectoryW(parent.c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(packaging_test::SetFolderSecurity(
      folder, L"D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;AU)(A;OICI;0x1301bf;;;WD)"));
  ASSERT_FALSE(packaging_test::UsersWhoMayChange(folder).empty())
      << "the folder was to be one every user may change";

  const auto install = RunSetup(setup_, L"/Simulator /D=" + folder);
  ASSERT_TRUE(install.finished);
  ASSERT_EQ(install.exit_code, 0u) << install.output;
  for (const std::wstring& path : {folder, folder + L"\\Varnel.exe", folder + L"\\VarnelOpcPs.dll",
                                   folder + L"\\hdasim.exe", folder + L"\\uninstall.exe"}) {
    const std::wstring security = packaging_test::SecurityText(path);
    EXPECT_EQ(packaging_test::UsersWhoMayChange(path), std::vector<std::wstring>{})
        << gui::Narrow(path) << ": " << gui::Narrow(security);
    EXPECT_TRUE(packaging_test::HasFullControl(path, WinLocalSystemSid))
        << gui::Narrow(path) << ": " << gui::Narrow(security);
  }

  // A folder with files of someone else's is refused, and keeps its permissions.
  const std::wstring other = parent + L"\\Tools";
  CreateDirectoryW(other.c_str(), nullptr);
  gui::WriteBytes(other + L"\\notes.txt", "someone's");
  ASSERT_TRUE(
      packaging_test::SetFolderSecurity(other, L"D:(A;OICI;FA;;;SY)(A;OICI;0x1301bf;;;WD)"));
  EXPECT_EQ(Uninstall(), 0u);
  const auto refused = RunSetup(setup_, L"/D=" + other);
  ASSERT_TRUE(refused.finished);
  EXPECT_EQ(refused.exit_code, 2u) << refused.output;
  EXPECT_FALSE(gui::FileExists(other + L"\\Varnel.exe"));
  EXPECT_FALSE(packaging_test::UsersWhoMayChange(other).empty()) << "the permissions were changed";
  if (MachineKeyExists(kUninstallKey)) Uninstall();

  DeleteFileW((other + L"\\notes.txt").c_str());
  RemoveDirectoryW(other.c_str());
  WaitUntilUninstallFinished();
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(parent.c_str());
}

// Offered for .xml where nothing had it: the keys the setup made for it go with the uninstall.
TEST_F(Setup, XmlOfferLeavesNoEmptyKeys) {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + L".xml").c_str());
  const auto install = RunSetup(setup_, L"/AssociateXml");
  ASSERT_TRUE(install.finished);
  ASSERT_EQ(install.exit_code, 0u) << install.output;
  EXPECT_FALSE(MachineString(kClasses + L".xml").has_value()) << "the setup took .xml";
  EXPECT_TRUE(MachineString(kClasses + L".xml\\OpenWithProgids", L"Varnel.Document").has_value());
  EXPECT_EQ(Uninstall(), 0u);
  EXPECT_FALSE(MachineKeyExists(kClasses + L".xml")) << ".xml is left empty";
  EXPECT_FALSE(MachineKeyExists(L"Software\\Varnel"));
  EXPECT_FALSE(MachineKeyExists(kClasses + L"Varnel.Document"));
}

// An older version's setup over a newer Varnel: silent, it is refused with exit code 1638 and
// changes nothing.
TEST_F(Setup, DowngradeIsRefused) {
  const auto install = RunSetup(setup_, L"/Simulator");
  ASSERT_TRUE(install.finished);
  ASSERT_EQ(install.exit_code, 0u) << install.output;
  const std::wstring folder = DefaultInstallFolder();
  const auto older = RunSetup(previous_setup_, L"");
  ASSERT_TRUE(older.finished);
  EXPECT_EQ(older.exit_code, 1638u) << older.output;
  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayVersion"), version_);
  const auto versions = packaging_test::ReadFileVersions(folder + L"\\Varnel.exe");
  ASSERT_TRUE(versions.has_value());
  EXPECT_EQ(versions->file, version_);
  EXPECT_TRUE(ContainsText(LocalServerOf(L"Varnel.HdaSim.1"), folder + L"\\hdasim.exe"));
  EXPECT_EQ(Uninstall(), 0u);
  ExpectNothingOfOursLeft(folder);
}

// A user whose %APPDATA%\\Varnel cannot be a folder (a file has the name): started through the
// shortcut, the program still runs, in the shortcut's folder, and its log says why.
TEST_F(Setup, UnusableUserFolderIsLogged) {
  const auto install = RunSetup(setup_, L"");
  ASSERT_TRUE(install.finished);
  ASSERT_EQ(install.exit_code, 0u) << install.output;
  const std::wstring folder = DefaultInstallFolder();
  const std::wstring blocked = UserFolder();
  gui::RemoveRunDirectory(blocked);
  gui::WriteBytes(blocked, "not a folder");
  const auto shortcut = packaging_test::ReadShortcut(StartMenuFolder() + L"\\Varnel.lnk");
  ASSERT_TRUE(shortcut.has_value());
  {
    gui::VarnelProcess program(packaging_test::ExpandEnvironment(shortcut->working_dir),
                               shortcut->arguments, shortcut->target);
    ASSERT_TRUE(program.Start());
    ASSERT_NE(program.WaitMainWindow(), nullptr);
    PostMessageW(program.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
  }
  const std::wstring log = gui::ReadUtf16(folder + L"\\Varnel.log");
  EXPECT_TRUE(ContainsText(
      log, L"Can not use the folder " + blocked + L"; configuration and log are in " + folder))
      << gui::Narrow(log);
  DeleteFileW(blocked.c_str());
  for (const wchar_t* file : {L"Varnel.log", L"Varnel.log.bu", L"Varnel_Config.xml"})
    DeleteFileW((folder + L"\\" + file).c_str());
  EXPECT_EQ(Uninstall(), 0u);
  ExpectNothingOfOursLeft(folder);
}

}  // namespace
