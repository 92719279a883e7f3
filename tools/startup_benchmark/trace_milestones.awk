# Reads Wine's +timestamp,+loaddll,+relay trace of one editor start and prints the first
# time of each step, "name ms", in ms after the launch. Variables: launch (the watcher's
# launch time, ms on the same clock as the trace) and view (the address of the view's
# window procedure, as the trace prints it).
{
  split($0, head, ":")
  t = head[1] * 1000 - launch
  thread = head[2]
}
/loaddll.*Loaded L".*Vantorel\.exe"/ { first("exe") }
/Starting thread proc/ {
  if (!("entry" in at)) { first("entry"); mainThread = thread }
  else if (thread != mainThread) first("thread")
}
/Call user32\.SetWindowsHookExA/ { first("hook") }
/Call KERNEL32\.CreateFileW.*Vantorel..settings\.ini/ { first("settings") }
# The main window's creation holds the creation of its children: its own return is the one
# that brings the nesting back to the top.
/Call user32\.CreateWindowExA/ && thread == mainThread {
  if (depth == 0 && /VANTORClass/ && !("create" in at)) { first("create"); outer = 1 }
  if (outer) depth++
}
/Ret  user32\.CreateWindowExA/ && outer && thread == mainThread { if (--depth == 0) { first("created"); outer = 0 } }
/Call user32\.(ShowWindow|SetWindowPlacement)/ && ("created" in at) { first("shown") }
view != "" && index($0, "Call window proc " view) && /msg=WM_PAINT/ { first("paint") }
view != "" && index($0, "Ret  window proc " view) && /msg=WM_PAINT/ { first("painted") }
/Call KERNEL32\.FindFirstFileA/ { first("recovery") }
function first(name) { if (!(name in at)) { at[name] = t; printf "%s %.0f\n", name, t } }
