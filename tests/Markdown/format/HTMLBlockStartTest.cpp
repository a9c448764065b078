#include "Markdown/format/HTMLBlockStart.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

TEST(HTMLBlockStart, TellsTheKindOfBlockAndWhetherItsLastLineEndsIt) {
    const struct {
        const char* html;
        int kind;
        bool endsWithText;
    } cases[] = {
        {"<script>\nx\n</script>\n", 1, true},
        {"<PRE class=\"a\">\nx\n", 1, false},
        {"<!-- a\nb -->\n", 2, true},
        {"<!-- a\n", 2, false},
        {"<?php x ?>\n", 3, true},
        {"<!DOCTYPE html>\n", 4, true},
        {"<![CDATA[\nx\n]]>\n", 5, true},
        {"<div>\nx\n</div>\n", 6, false},
        {"   </TD>\n", 6, false},
        {"<hr/>\n", 6, false},
        {"<details open>\n", 6, false},
        {"<source src=\"a\">\n", 6, false},
        {"<search>\n", 7, false},
        {"<span>\n", 7, false},
        {"<divx>\n", 7, false},
        {"<scripts>\n", 7, false},
        {"    <div>\n", 0, false},
        {"text\n", 0, false},
    };
    for (const auto& [html, kind, endsWithText] : cases) {
        EXPECT_EQ(htmlBlockKind(html), kind) << html;
        EXPECT_EQ(htmlBlockEndsWithText(html), endsWithText) << html;
    }
}

} // namespace
} // namespace markdown
