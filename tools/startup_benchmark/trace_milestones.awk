# Reads Wine's +timestamp,+loaddll,+message,+hook,+thread,+file trace of one program's start
# and prints the first time of each step, "name ms", in ms after the launch. Variables:
# launch, the watcher's launch time in ms on the clock of the trace; program, the name of the
# executable; main, the class of its main window.
{
  split($0, head, ":")
  t = head[1] * 1000 - launch
  thread = head[2]
  window = match($0, /\(0x[0-9a-f]+\)/) ? substr($0, RSTART, RLENGTH) : ""
}
/loaddll.*Loaded L"/ && index($0, program "\"") { first("exe"); mainThread = thread }
mainThread != "" && thread != mainThread { first("thread") }
/trace:hook:NtUserSetWindowsHookEx/ { first("hook") }
/trace:file:CreateFileW L".*Vantorel..settings\.ini/ { first("settings") }
/trace:file:CreateFileW L".*Templates/ { first("templates") }
/spy_enter_message.*WM_NCCREATE/ && index($0, "{" main "}") && mainWindow == "" { mainWindow = window; first("create") }
/spy_enter_message.*\{ViewClass\}.*WM_NCCREATE/ { view = window }
mainWindow != "" && window == mainWindow && /spy_exit_message.*WM_CREATE returned/ { first("created") }
mainWindow != "" && window == mainWindow && /spy_enter_message.*WM_SHOWWINDOW/ { first("shown") }
view != "" && window == view && /spy_enter_message.*WM_ERASEBKGND/ { first("erased") }
view != "" && window == view && /spy_enter_message.*WM_PAINT/ { first("paint") }
view != "" && window == view && /spy_exit_message.*WM_PAINT returned/ { first("painted") }
/trace:file:FindFirstFileExW/ { first("recovery") }
function first(name) { if (!(name in at)) { at[name] = t; printf "%s %.0f\n", name, t } }
