// Menu command 40060: the interface switches to the other language at once (menu, status
// texts; dialogs and messages from their next opening on) and remembers the choice.
#pragma once

void SwitchLanguageCommand();
