// Passwords on the consumer platform: the close gate asking a PASSWORD.CPL double, the system's
// screen-saver-running state, the password change through an MPR.DLL double, the NT platform's
// refusal of both, and the fault guard switching the running state off.
#include "tests/e2e/driver.h"
#include <string>

namespace e2e {
namespace {

constexpr const char* Desktop = "Control Panel\\Desktop";
constexpr const char* SaverAppDefaults = "Software\\Wine\\AppDefaults\\vorlux.scr";

class Password : public SaverTest {
 protected:
  // The consumer platform with a password required and the verifier double in place.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SaverTest::SetUp());
    UseConsumerPlatform();
    InstallPasswordDouble();
    SetDword(Desktop, "ScreenSaveUsePassword", 1);
  }

  // Waits until the verifier has been asked `calls` times in all, then checks that the saver
  // is still running `settle` ms later and that nobody asked again meanwhile.
  void ExpectAskedAndStillRunning(Process& process, DWORD calls, DWORD settle = 500) {
    EXPECT_TRUE(WaitUntil([&] { return DoubleRecord("VerifyCalls") >= calls; }, CloseTimeMs))
        << "verifier calls: " << DoubleRecord("VerifyCalls") << ", expected " << calls;
    EXPECT_TRUE(process.SurvivesFor(settle)) << "the saver ended although the verifier refused";
    EXPECT_EQ(calls, DoubleRecord("VerifyCalls")) << "verifier calls";
  }
};

TEST_F(Password, RefusalKeepsItRunningAndOnlyALaterCloseIsAskedAgain) {
  // The double posts a key press to the saver as it refuses: a close request within 200 ms.
  SetDword(TestKey, "PostKeyOnReturn", 1);
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  EXPECT_EQ(1u, DoubleRecord("PasswordLoads")) << "PASSWORD.CPL loads";
  EXPECT_EQ(1, ScreenSaverRunningState()) << "screen-saver-running state while a password is required";

  KeyDown(VK_SPACE);
  KeyUp(VK_SPACE);
  ExpectAskedAndStillRunning(run.process, 1, 1000);
  EXPECT_EQ(0u, DoubleRecord("PostKeyOnReturn")) << "the double's own key press went out";
  EXPECT_EQ(Low32(run.saver), DoubleRecord("VerifyWindow")) << "the verifier is given the saver window";
  EXPECT_EQ(1u, DoubleRecord("RunningAtVerify")) << "running state seen by the verifier";
  EXPECT_TRUE(IsWindowVisible(run.saver));
  EXPECT_TRUE(WaitUntil([] { return DoubleRecord("CursorAfterVerify") != 0; }, 1000));
  EXPECT_EQ(2u, DoubleRecord("CursorAfterVerify")) << "cursor after the refusal (1: shown, 2: hidden)";

  KeyDown(VK_SPACE);  // long after the refusal: asked again
  KeyUp(VK_SPACE);
  ExpectAskedAndStillRunning(run.process, 2);

  SetDword(TestKey, "VerifyAnswer", 1);
  KeyDown(VK_SPACE);
  KeyUp(VK_SPACE);
  EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code after the verifier accepted";
  EXPECT_EQ(3u, DoubleRecord("VerifyCalls"));
  EXPECT_EQ(0, ScreenSaverRunningState()) << "screen-saver-running state after the run";
}

TEST_F(Password, AfterARefusalMovementIsMeasuredFromTheCursorAtTheRefusal) {
  FullScreenRun run;
  ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
  MoveCursor(Parked.x + 2, Parked.y + 2);  // too little to ask
  ExpectAskedAndStillRunning(run.process, 0);
  KeyDown(VK_SPACE);  // asked and refused with the cursor 2 + 2 pixels from the start
  KeyUp(VK_SPACE);
  ExpectAskedAndStillRunning(run.process, 1);
  MoveCursor(Parked.x + 4, Parked.y + 4);  // 8 from the start, 4 from the refusal
  ExpectAskedAndStillRunning(run.process, 1);
  SetDword(TestKey, "VerifyAnswer", 1);
  MoveCursor(Parked.x + 5, Parked.y + 4);  // 5 from the refusal
  EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code after the verifier accepted";
  EXPECT_EQ(2u, DoubleRecord("VerifyCalls"));
}

// Without the setting, on the NT platform, with a PASSWORD.CPL beside the program but none in the
// system folder, and in a preview, no password is asked, the verifier is not even loaded, and the
// running state is never set.
TEST_F(Password, WithoutTheSettingOnNtAndInPreviewNothingIsAskedOrLoaded) {
  const struct {
    const char* name;
    std::function<void()> arrange;
  } cases[] = {
      {"setting absent", [] { DeleteValue(Desktop, "ScreenSaveUsePassword"); }},
      {"setting 0", [] { SetDword(Desktop, "ScreenSaveUsePassword", 0); }},
      {"NT platform", [] {
         SetDword(Desktop, "ScreenSaveUsePassword", 1);
         DeleteValue(SaverAppDefaults, "Version");
       }},
      {"PASSWORD.CPL beside the program only", [this] {
         UseConsumerPlatform();
         char system[MAX_PATH] = "";
         GetSystemDirectoryA(system, sizeof system);
         DeleteFileA((std::string(system) + "\\PASSWORD.CPL").c_str());
         Install(E2E_PASSWORD_DOUBLE, "PASSWORD.CPL");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    FullScreenRun run;
    ASSERT_NO_FATAL_FAILURE(StartFullScreen(CommandLine("/s"), &run));
    KeyDown(VK_SPACE);
    EXPECT_EQ(0u, run.process.WaitForExit(CloseTimeMs)) << "exit code after the first key press";
    KeyUp(VK_SPACE);
  }
  EXPECT_EQ(0u, DoubleRecord("PasswordLoads"));
  EXPECT_EQ(0u, DoubleRecord("VerifyCalls"));
  EXPECT_EQ(-1, ScreenSaverRunningState()) << "the running state was set";

  UseConsumerPlatform();
  DriverWindow parent(200, 200, 152, 112);
  Process preview = LaunchSaver("/p " + std::to_string(reinterpret_cast<uintptr_t>(parent.Handle())));
  ASSERT_NE(nullptr, WaitForChild(parent.Handle(), SaverClass));
  ASSERT_TRUE(WaitUntil([] { return SwapCount() >= 10; }, 20000));
  EXPECT_EQ(0u, DoubleRecord("PasswordLoads")) << "a preview loaded PASSWORD.CPL";
  EXPECT_EQ(-1, ScreenSaverRunningState()) << "a preview set the running state";
  parent.Destroy();
  EXPECT_EQ(0u, preview.WaitForExit(5000));
}

TEST_F(Password, ChangeHandsOverToMprOnTheConsumerPlatformOnly) {
  InstallMprDouble();
  DriverWindow named(100, 100, 200, 100), foreground(400, 100, 200, 100);
  ASSERT_TRUE(SetForegroundWindow(foreground.Handle()));

  EXPECT_EQ(0u, LaunchSaver("/a " + std::to_string(Low32(named.Handle()))).WaitForExit(5000));
  EXPECT_EQ(1u, DoubleRecord("MprLoads"));
  EXPECT_EQ(1u, DoubleRecord("ChangeCalls"));
  EXPECT_EQ("SCRSAVE", GetText(TestKey, "ChangeProvider"));
  EXPECT_EQ(Low32(named.Handle()), DoubleRecord("ChangeOwner")) << "owner: the window named";
  EXPECT_EQ(0u, DoubleRecord("ChangeArg3"));
  EXPECT_EQ(0u, DoubleRecord("ChangeArg4"));

  EXPECT_EQ(0u, LaunchSaver("/a").WaitForExit(5000));
  EXPECT_EQ(2u, DoubleRecord("ChangeCalls"));
  EXPECT_EQ(Low32(foreground.Handle()), DoubleRecord("ChangeOwner")) << "owner without a number: the foreground";

  DeleteValue(SaverAppDefaults, "Version");
  DeleteKey(TestKey);
  EXPECT_EQ(NoUsableMode, LaunchSaver("/a 123").WaitForExit(5000)) << "exit code of /a 123 on the NT platform";
  EXPECT_EQ(0u, DoubleRecord("MprLoads")) << "MPR.DLL loaded on the NT platform";
}

TEST_F(Password, FaultGuardSwitchesTheRunningStateOffAndEndsTheProcess) {
  Install(E2E_FAULT_SAVER, "vorlux_fault.scr");
  UseConsumerPlatform("vorlux_fault.scr");
  // Wine's UnhandledExceptionFilter starts the debugger named under AeDebug (winedbg by default)
  // and then answers "go on searching"; with none to start it answers "run the handler", as
  // Windows does for a program that asks for no fault dialog.
  SetText("Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug", "Debugger", "", HKEY_LOCAL_MACHINE);
  SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS);  // inherited by the saver
  Process process = Launch(CommandLine("/s", "vorlux_fault.scr"));
  EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), process.WaitForExit(10000)) << "exit code";
  EXPECT_EQ(1u, DoubleRecord("PasswordLoads")) << "the faulting run loaded the verifier first";
  EXPECT_EQ(0, ScreenSaverRunningState()) << "running state after the fault (-1: never set)";
}

}  // namespace
}  // namespace e2e
