#include "app/Unit1.h"

#include <stdexcept>

#include "app/about_page.h"
#include "app/form_style.h"
#include "app/rest_page.h"
#include "app/settings_page.h"
#include "app/task_page.h"
#include "app/timetable_changes.h"
#include "app/timetable_menu.h"
#include "components/Zqinfodlg.h"
#include "engine/schedule_file.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "win32/schedule_location.h"
#include "win32/wide_text.h"

namespace vistrel::app {
namespace {

constexpr wchar_t kProductName[] = L"Vistrel";

// The stored client size is 497 x 357; the pause button below it (top 358, 32 high) needs the window taller.
constexpr int kClientWidth = 497;
constexpr int kClientHeight = 397;

constexpr char kQuitQuestion[] = "您确定要退出'Vistrel'吗？";

// Start-up was given up after its message was shown; the program ends quietly.
struct StartAbandoned {};

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner), messages_(zqInfo), settings_store_(registry_, executable_) {
    // The form's components with their stored values, the engine on the form's timers, then the pages, each given
    // what it works with.
    ReadDescription([this] { create_components(); });
    create_engine();
    create_pages();
    // No process-wide date and time formats are set: the pickers carry kDateFormat and kTimeFormat, and the lists
    // show the engine's entry texts, which are written the same way.
    // The options and hot keys in force (loading registers the keys and puts the start-with-Windows value in line
    // with AutoRun); the settings page then shows them.
    HotKeyPort hot_keys(*zqHotKey1);
    settings_store_.load(settings_, hot_keys);
    settings_page_->show_settings();
    // The menu painter paints both popup menus.
    zqMenu1->ActivatezqMenu(PopupMenu1);
    zqMenu1->ActivatezqMenu(TrayPopupMenu);
    // Image 0, the program's icon, means running; image 1, stored with the list, paused.
    ImageList1->InsertIcon(0, Application().Icon());
    TrayIcon1->SetHint(kProductName);
    zqForm1->SetCaption(std::wstring(L"**") + kProductName + L"**");
    Application().SetTitle(kProductName);
    // The controls show the paused state until the schedule starts below.
    update_run_state();
    // The task page's pickers show now, the hot-key boxes the keys in force.
    ApplicationRestore(this);
    if (settings_.AutoMinimize) {
        // Minimised once the message loop runs, which the tray icon turns into hiding the window in the tray.
        PostMessageW(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    TabSheet_testing->SetTabVisible(false);  // the developer page never shows
    // The timetables from the data file, or the standard rest timetable at a first start.
    load_or_generate_schedule();
    // The program always starts running: a pause is not remembered across starts.
    scheduler_->arm_day_timer();
    change_run_or_pause(this);
    // From here on an error shown by the error display first brings back whatever a rest hid.
    Application().OnException = [this](const std::exception_ptr& error) { report_error(error); };
}

TForm1::~TForm1() {
    FormDestroy();
}

void TForm1::create_components() {
    SetCaption(kProductName);
    SetColor(kProgramGrey);
    Font().SetName(kProgramFontName);
    Font().SetHeight(kProgramFontHeight);
    SetFormStyle(fsStayOnTop);
    SetBorderIcons(biMinimize);
    Icon().LoadFromResourceName(GetModuleHandleW(nullptr), L"MAINICON");
    OnCloseQuery = [this](TObject*, bool& can_close) { can_close = exit_confirmed_; };

    zqForm1 = new TzqForm(this);
    zqForm1->setSizeable(false);
    SetBounds(266, 203, kClientWidth, kClientHeight);

    Timer1 = new TTimer(this);
    Timer1->SetEnabled(false);
    Timer_day = new TTimer(this);
    Timer_day->SetEnabled(false);
    Timer_animate = new TTimer(this);
    Timer_animate->SetEnabled(false);
    Timer_animate->SetInterval(500);

    PopupMenu1 = new TPopupMenu(this);
    create_tray_menu();
    ImageList1 = new TImageList(this);
    TIcon paused;
    paused.LoadFromResourceName(GetModuleHandleW(nullptr), L"TRAYPAUSED", 16);
    ImageList1->AddIcon(paused);
    create_hot_keys();
    create_tray_icon();
    create_menu_painter();

    zqPageControl_main = new TzqPageControl(this);
    zqPageControl_main->SetParent(this);
    zqPageControl_main->SetBounds(13, 35, 470, 314);
    zqPageControl_main->SetOwnerDraw(true);
    TabSheet_rest = add_page(*this, *zqPageControl_main, L"休息时间表");
    TabSheet_task = add_page(*this, *zqPageControl_main, L"定时任务表");
    TabSheet_settings = add_page(*this, *zqPageControl_main, L"高级设置");
    TabSheet_about = add_page(*this, *zqPageControl_main, L"关于...");
    TabSheet_testing = add_page(*this, *zqPageControl_main, L"testing");
    zqPageControl_main->SetActivePage(TabSheet_rest);
    create_pause_button();
}

void TForm1::create_engine() {
    desktop_ = std::make_unique<Win32Desktop>(Application().Handle());
    tray_port_ = std::make_unique<TrayIconPort>(*TrayIcon1);
    desktop_guard_ = std::make_unique<DesktopGuard>(registry_, *desktop_);
    // A rest cut short by a crash may have left the task bar and the desktop hidden.
    desktop_guard_->recover_from_last_run();
    scheduler_ = std::make_unique<Scheduler>(
        schedule_, settings_,
        EnginePorts{clock_, *Timer1, *Timer_day, messages_, *tray_port_, *desktop_, programs_, desktop_guard_.get()});
}

void TForm1::create_pages() {
    // Both timetable pages change their timetables through the one road that shows, arms and saves each change.
    timetable_changes_ = std::make_unique<TimetableChanges>(*scheduler_, messages_, [this] { save_schedule(); });
    rest_page_ =
        std::make_unique<RestPage>(*this, *TabSheet_rest, *PopupMenu1, schedule_.rest_list, *timetable_changes_);
    task_page_ = std::make_unique<TaskPage>(*this, *TabSheet_task, *PopupMenu1, schedule_.task_list,
                                            *timetable_changes_, messages_, clock_, programs_);
    settings_page_ = std::make_unique<SettingsPage>(*this, *TabSheet_settings, settings_, settings_store_, *zqHotKey1,
                                                    *scheduler_, messages_);
    about_page_ = std::make_unique<AboutPage>(*this, *TabSheet_about, *zqPageControl_main, *Timer_animate);
    timetable_menu_ = std::make_unique<TimetableMenu>(*this, *PopupMenu1, *timetable_changes_, messages_);
}

void TForm1::create_tray_menu() {
    TrayPopupMenu = new TPopupMenu(this);
    TrayPopupMenu->OnPopup = [this](TObject* sender) { TrayPopupMenuPopup(sender); };
    auto add_item = [this](const wchar_t* caption, TNotifyEvent on_click) {
        auto* item = new TMenuItem(this);
        item->Caption = caption;
        item->OnClick = std::move(on_click);
        TrayPopupMenu->Items().Add(item);
        return item;
    };
    Menu_change_window = add_item(L"隐藏窗口", [this](TObject*) { window_restore(); });
    Menu_run_or_pause = add_item(L"暂停/恢复", [this](TObject* sender) { change_run_or_pause(sender); });
    add_item(L"-", {});
    N5 = add_item(L"退出(&Q)", [this](TObject* sender) { N5Click(sender); });
}

void TForm1::create_pause_button() {
    zqBtn_Ctl = new TzqBtn(this);
    zqBtn_Ctl->SetParent(this);
    zqBtn_Ctl->SetBounds(406, 358, 77, 32);
    zqBtn_Ctl->ShowHint = true;
    zqBtn_Ctl->SetCaption(L"  暂停");
    for (const wchar_t* name : {L"CTLRUN", L"CTLPAUSE"}) {
        TBitmap picture;
        picture.LoadFromResourceName(GetModuleHandleW(nullptr), name);
        TPictureListItem& item = zqBtn_Ctl->PictureList().Add();
        item.Picture().SetGraphic(&picture);
        item.setTransparent(true);
        item.setDisplayMode(dmNormal);  // the picture on the left, the caption beside it
    }
    zqBtn_Ctl->setAlignment(taRightJustify);
    zqBtn_Ctl->OnClick = [this](TObject* sender) { change_run_or_pause(sender); };
}

void TForm1::create_hot_keys() {
    zqHotKey1 = new TzqHotKey(this);
    for (const vistrel::KeyValue key : {vistrel::KeyValue{1914}, vistrel::KeyValue{1915}}) {
        THotKeyListItem& item = zqHotKey1->KeyList().Add();
        item.setHotKey(key);
        item.activate_key(false);  // registered by the start-up from the stored settings
    }
    zqHotKey1->KeyList().GetItem(0).OnHotKey = [this](TObject*) {
        // The call-up key: not while a compulsory rest has the tray icon hidden.
        if (TrayIcon1->Visible()) {
            window_restore();
        }
    };
    zqHotKey1->KeyList().GetItem(1).OnHotKey = [this](TObject*) {
        if (desktop_->screen_saver_active()) {
            desktop_->start_screen_saver();
        }
    };
}

void TForm1::create_tray_icon() {
    TrayIcon1 = new TzqTrayIcon(this);
    TrayIcon1->SetRestoreOnDBCLick(true);
    TrayIcon1->SetPopupMenu(TrayPopupMenu);
    TrayIcon1->SetIcons(ImageList1);
    TrayIcon1->setOnTaskList(false);
    TrayIcon1->OnRestore = [this](TObject* sender) { ApplicationRestore(sender); };
    TrayIcon1->ShowSoon();  // after the window: the shell may still be starting
}

void TForm1::create_menu_painter() {
    zqMenu1 = new TzqMenu(this);
    zqMenu1->MenuBarColor = kProgramGrey;
    zqMenu1->MenuBarColorHL = kMenuHighlightColor;
    TFont font;
    font.SetName(kProgramFontName);
    font.SetHeight(kProgramFontHeight);
    font.SetColor(clWindowText);
    zqMenu1->setMenuTextFont(font);
    font.SetColor(kMenuHighlightTextColor);
    zqMenu1->setMenuTextFontHL(font);
    zqMenu1->MenuTextDisabledColor = clGray;
    zqMenu1->MenuBarWidthExt = 10;
    zqMenu1->MenuBarHeightExt = 10;
    zqMenu1->MenuTextIndent = 5;
    zqMenu1->GradualCount = 120;
}

void TForm1::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    params.class_name = kMainWindowClass;
}

LRESULT TForm1::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case kWakeMessage:
            if (IsIconic(Application().Handle())) {
                PostMessageW(Application().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
            } else {
                Application().BringToFront();
            }
            return 0;
        case WM_TIMECHANGE:
            scheduler_->time_changed();
            return 0;
        case WM_POWERBROADCAST:
            if (wparam == PBT_APMSUSPEND) {
                scheduler_->suspended();
            } else if (wparam == PBT_APMRESUMEAUTOMATIC || wparam == PBT_APMRESUMESUSPEND) {
                scheduler_->resumed();
            }
            return TRUE;
        case WM_QUERYENDSESSION:
            // Log-off and shutdown are never held up, whatever the close query would say.
            return 1;
        case WM_ENDSESSION:
            // The session really ends (not a cancelled log-off): the desktop must not stay hidden behind us.
            if (wparam != 0) {
                restore_desktop();
            }
            return 0;
        default:
            return TForm::handle_message(message, wparam, lparam);
    }
}

void TForm1::load_or_generate_schedule() {
    const auto location = schedule_location();
    if (!location) {
        throw std::runtime_error("The folder for application data cannot be found.");
    }
    data_file_ = ScheduleFile(location->user_file);
    const auto source = startup_schedule_source(location->user_file, location->shared_file);
    if (!source) {
        // A first start: the standard timetable from the rest page's initial values.
        rest_page_->zqButton_generate_timersClick(this);
        return;
    }
    const LoadReport report = data_file_.load(schedule_, *source);
    if (report.result == LoadResult::cannot_open) {
        messages_.ShowMessage(file_failure_message(report.failure));
        throw StartAbandoned{};
    }
    if (report.damaged()) {
        // Told from the message loop: the timetable runs meanwhile.
        messages_.SetPostShow(true);
        messages_.MessageDlg(damaged_file_message(report, source->path), kNoticeCaption, MessageService::kWarning);
    }
    if (report.result == LoadResult::unreadable) {
        rest_page_->zqButton_generate_timersClick(this);  // as at a first start
        return;
    }
    rest_page_->refresh_rest_list();
    task_page_->refresh_task_list();
    if (source->mode == LoadMode::read_only) {
        save_schedule();  // the timetable of the old shared file now lives in the user's own
    }
}

void TForm1::save_schedule() {
    const SaveReport report = data_file_.save(schedule_);
    if (report.result == SaveResult::saved) {
        return;
    }
    // The timetable in memory goes on running; the next change tries the save again.
    messages_.MessageDlg(file_failure_message(report.failure), kNoticeCaption, MessageService::kWarning);
}

void TForm1::window_restore() {
    HWND application = Application().Handle();
    PostMessageW(application, WM_SYSCOMMAND, IsIconic(application) ? SC_RESTORE : SC_MINIMIZE, 0);
}

void TForm1::ApplicationRestore(TObject*) {
    task_page_->show_now();
    zqHotKey1->UpdateKey(false);
}

void TForm1::change_run_or_pause(TObject*) {
    scheduler_->change_run_or_pause();
    update_run_state();
}

void TForm1::update_run_state() {
    const bool running = scheduler_->running();
    TrayIcon1->SetIconIndex(running ? 0 : 1);
    zqBtn_Ctl->setCurrentPictureIndex(running ? 0 : 1);
    Menu_run_or_pause->Caption = running ? L"暂停运行" : L"恢复运行";
    zqBtn_Ctl->Hint = running ? L"当前处于运行状态，点击这里暂停程序运行" : L"当前处于暂停状态，点击这里开始运行";
    zqBtn_Ctl->SetCaption(L"  " + Menu_run_or_pause->Caption);
    Menu_change_window->Caption = IsIconic(Application().Handle()) ? L"显示窗口" : L"隐藏窗口";
}

void TForm1::TrayPopupMenuPopup(TObject*) {
    update_run_state();
}

void TForm1::N5Click(TObject*) {
    messages_.CloseDialog();
    if (messages_.MessageDlg(kQuitQuestion, kNoticeCaption, MessageService::kConfirm) == MessageService::kOk) {
        exit_confirmed_ = true;
        Close();
    }
}

void TForm1::FormDestroy() {
    restore_desktop();
    Application().OnException = nullptr;
}

void TForm1::restore_desktop() {
    scheduler_->restore_desktop();
}

void TForm1::report_error(const std::exception_ptr& error) {
    // The error display waits for the user: nothing of a rest may stay hidden meanwhile.
    restore_desktop();
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        Application().ShowException(e);
    } catch (...) {
        Application().ShowException(std::runtime_error("Unknown error"));
    }
}

int run_main_window() {
    DesktopGuard::install_crash_filter();
    try {
        TForm1 form(nullptr);
        Application().SetMainForm(&form);
        Application().Run();
    } catch (const StartAbandoned&) {
        // Its message has been shown.
    } catch (const std::exception& error) {
        Application().ShowException(error);
    }
    return 0;
}

}  // namespace vistrel::app
