#pragma once

// vantorel pack OUT.mix FILE... [--add-to EXISTING.mix]
int RunPack(int argc, char** argv);
