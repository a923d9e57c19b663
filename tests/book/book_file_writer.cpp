// SPDX-License-Identifier: MIT
// Saves a book as the program does, for the file tests that need another user
// to save it, or a save to be killed: book_file_writer <path> <file text>
// <recovery folder>, where a file text of "@name" is the content of that file.
// Exit status 0 when saved; otherwise the message goes to the standard error.
#include <cstdio>
#include <string>

#include "book/book_file.h"
#include "platform/app_error.h"
#include "platform/file_reader.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: book_file_writer <path> <file text> <recovery folder>\n", stderr);
        return 2;
    }
    AddressBook book;
    const std::string text = argv[2];
    ParseBookText(text.starts_with('@') ? ReadWholeFile(text.substr(1)) : text, book);
    try {
        WriteBookFile(argv[1], book, RecoveryStore(argv[3]));
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
