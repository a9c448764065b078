#include "Markdown/CMarkDocument.hpp"
#include "Markdown/CMarkExtensions.hpp"
#include "Markdown/CommonMarkConverter.hpp"

#include "RawOutline.hpp"

#include <gtest/gtest.h>

#include <cmark-gfm-extension_api.h>
#include <cmark-gfm.h>

// Trees the parser never makes from text, built node by node: what the conversion does with
// custom nodes and where it stops.

namespace markdown {
namespace {

using testing::outline;

// A document whose only block is `block`, owned by the returned value.
CMarkDocument documentOf(cmark_node* block) {
    cmark_node* root = cmark_node_new(CMARK_NODE_DOCUMENT);
    CMarkDocument document(root);
    if (!cmark_node_append_child(root, block)) {
        cmark_node_free(block);
        ADD_FAILURE() << "the document does not take the block";
    }
    return document;
}

cmark_node* paragraphOf(cmark_node* inlineNode) {
    cmark_node* paragraph = cmark_node_new(CMARK_NODE_PARAGRAPH);
    EXPECT_TRUE(cmark_node_append_child(paragraph, inlineNode));
    return paragraph;
}

cmark_node* textNode(const char* text) {
    cmark_node* node = cmark_node_new(CMARK_NODE_TEXT);
    cmark_node_set_literal(node, text);
    return node;
}

RawMarkupPtr convert(const CMarkDocument& document) {
    return convertCMarkDocument(document.root(), std::nullopt, {});
}

TEST(CommonMarkHandBuiltTree, ConvertsACustomBlockWithItsChildren) {
    cmark_node* custom = cmark_node_new(CMARK_NODE_CUSTOM_BLOCK);
    ASSERT_TRUE(cmark_node_append_child(custom, paragraphOf(textNode("inside"))));
    const CMarkDocument document = documentOf(custom);
    EXPECT_EQ(outline(convert(document)), R"(document
  customBlock
    paragraph
      text("inside")
)");
}

TEST(CommonMarkHandBuiltTreeDeathTest, StopsOnNodesTheParserNeverMakes) {
    registerCMarkExtensions();
    EXPECT_DEATH(
        {
            // The library keeps no text for a custom inline.
            const CMarkDocument document =
                documentOf(paragraphOf(cmark_node_new(CMARK_NODE_CUSTOM_INLINE)));
            (void)convert(document);
        },
        "Expected literal content for cmark node but got null pointer");
    EXPECT_DEATH(
        {
            cmark_syntax_extension* extension = cmark_syntax_extension_new("mystery");
            cmark_syntax_extension_set_get_type_string_func(
                extension, [](cmark_syntax_extension*, cmark_node*) { return "mystery"; });
            cmark_node* node = cmark_node_new(cmark_syntax_extension_add_node(1));
            cmark_node_set_syntax_extension(node, extension);
            const CMarkDocument document = documentOf(paragraphOf(node));
            (void)convert(document);
        },
        "Unknown cmark node type 'mystery' encountered during conversion");
    // The walk must start on a document.
    EXPECT_DEATH(
        {
            const CMarkDocument document = documentOf(paragraphOf(textNode("x")));
            (void)convertCMarkDocument(document.root().firstChild(), std::nullopt, {});
        },
        "");
}

} // namespace
} // namespace markdown
