#pragma once

#include <windows.h>

#include <memory>

#include "app/desktop_guard.h"
#include "app/engine_adapters.h"
#include "components/Zqbtn.h"
#include "components/Zqform.h"
#include "components/Zqhotkey.h"
#include "components/Zqmenu.h"
#include "components/Zqpagecontrol.h"
#include "components/Zqtrayicon.h"
#include "engine/schedule_file.h"
#include "engine/scheduler.h"
#include "engine/settings.h"
#include "engine/timetable.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/menu.h"
#include "framework/timer.h"
#include "win32/registry_store.h"
#include "win32/win32_clock.h"
#include "win32/win32_desktop.h"
#include "win32/win32_executable_path.h"
#include "win32/win32_program_starter.h"

namespace vistrel::app {

/// The main window's class; a second copy finds the running one by it.
inline constexpr wchar_t kMainWindowClass[] = L"ZQ_VISTREL";
/// Posted by a second copy to wake the running one.
inline constexpr UINT kWakeMessage = WM_USER + 1;

class RestPage;
class TaskPage;
class SettingsPage;
class AboutPage;
class TimetableChanges;
class TimetableMenu;

/// The main window: the skinned form with its pages, the tray icon and its menu, the pause button, and the
/// schedule it runs. It lives until the user confirms quitting from the tray menu.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // The components of the form, owned through the component tree.
    TzqForm* zqForm1 = nullptr;
    TzqPageControl* zqPageControl_main = nullptr;
    TTabSheet* TabSheet_rest = nullptr;
    TTabSheet* TabSheet_task = nullptr;
    TTabSheet* TabSheet_settings = nullptr;
    TTabSheet* TabSheet_about = nullptr;
    TTabSheet* TabSheet_testing = nullptr;  // the developer page, never shown
    TzqBtn* zqBtn_Ctl = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* Timer_day = nullptr;
    TTimer* Timer_animate = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TPopupMenu* TrayPopupMenu = nullptr;
    TMenuItem* Menu_change_window = nullptr;
    TMenuItem* Menu_run_or_pause = nullptr;
    TMenuItem* N5 = nullptr;
    TImageList* ImageList1 = nullptr;
    TzqHotKey* zqHotKey1 = nullptr;
    TzqTrayIcon* TrayIcon1 = nullptr;
    TzqMenu* zqMenu1 = nullptr;

    RestPage& rest_page() { return *rest_page_; }
    TaskPage& task_page() { return *task_page_; }
    SettingsPage& settings_page() { return *settings_page_; }
    AboutPage& about_page() { return *about_page_; }
    TimetableMenu& timetable_menu() { return *timetable_menu_; }
    TimetableChanges& timetable_changes() { return *timetable_changes_; }

    /// The timetables, the options, the schedule that runs them and the clock it reads.
    Schedule& schedule() { return schedule_; }
    Settings& settings() { return settings_; }
    Scheduler& scheduler() { return *scheduler_; }
    Clock& clock() { return clock_; }

    /// Minimises the window when it is shown, restores it when it is minimised.
    void window_restore();
    /// The window came back from the tray: the task page's pickers show now, the hot-key boxes the keys in force.
    void ApplicationRestore(TObject* sender);
    /// The pause/resume toggle.
    void change_run_or_pause(TObject* sender);
    /// Tray image, button picture, captions and hint after the running state; the show/hide caption.
    void update_run_state();
    void TrayPopupMenuPopup(TObject* sender);
    /// Quits after the user's confirmation.
    void N5Click(TObject* sender);
    void FormDestroy();

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    // The stored description: the form's own components with their stored values (each page makes its own).
    void create_components();
    void create_tray_menu();
    void create_pause_button();
    void create_hot_keys();
    void create_tray_icon();
    void create_menu_painter();
    // The engine on the form's timers, and the pages given what each works with.
    void create_engine();
    void create_pages();
    void load_or_generate_schedule();
    /// Saves both timetables to the data file; a failure is shown with the file's path and the program goes on.
    void save_schedule();
    void restore_desktop();
    void report_error(const std::exception_ptr& error);

    // Ports of the engine and of the settings store.
    Win32Clock clock_;
    Win32ProgramStarter programs_;
    RegistryStore registry_;
    Win32ExecutablePath executable_;
    std::unique_ptr<Win32Desktop> desktop_;
    InfoDialogMessages messages_;
    std::unique_ptr<TrayIconPort> tray_port_;
    std::unique_ptr<DesktopGuard> desktop_guard_;

    Settings settings_;
    SettingsStore settings_store_;
    Schedule schedule_;
    ScheduleFile data_file_;
    bool exit_confirmed_ = false;
    std::unique_ptr<Scheduler> scheduler_;

    std::unique_ptr<TimetableChanges> timetable_changes_;
    std::unique_ptr<RestPage> rest_page_;
    std::unique_ptr<TaskPage> task_page_;
    std::unique_ptr<SettingsPage> settings_page_;
    std::unique_ptr<AboutPage> about_page_;
    std::unique_ptr<TimetableMenu> timetable_menu_;
};

/// Runs the program proper: the main window and the message loop; an error escaping start-up is shown by the
/// application's error display. Returns the exit code.
int run_main_window();

}  // namespace vistrel::app
