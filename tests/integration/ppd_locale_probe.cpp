// SPDX-License-Identifier: Apache-2.0
// Prints an option's text and one choice's text as CUPS localises the PPD for the locale of the
// environment (LANG, LC_ALL), the way print dialogs and lpoptions get them.
//   ppd_locale_probe PPD KEYWORD CHOICE

#include <cstdio>

#include <cups/ppd.h>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    ppd_file_t* ppd = ppdOpenFile(argv[1]);
    if (!ppd)
        return 1;
    ppdLocalize(ppd);
    ppd_option_t* option = ppdFindOption(ppd, argv[2]);
    ppd_choice_t* choice = option ? ppdFindChoice(option, argv[3]) : nullptr;
    if (choice)
        std::printf("%s\n%s\n", option->text, choice->text);
    ppdClose(ppd);
    return choice ? 0 : 1;
}
