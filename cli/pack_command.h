#pragma once

// vantorel pack OUT.mix FILE... [--add-to EXISTING.mix]: an existing OUT.mix is added to.
int RunPack(int argc, char** argv);
