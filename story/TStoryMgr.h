#pragma once

#include "framework/Record.h"

#include <cstdint>
#include <string>

// A piece of story with up to six numbered paths on to other sections.
class TStorySection : public Record<TStorySection> {
public:
    uint16_t id = 0;
    std::string desc;
    std::string imgFn;
    uint16_t path1id = 0;
    std::string p1txt;
    uint16_t path2id = 0;
    std::string p2txt;
    uint16_t path3id = 0;
    std::string p3txt;
    uint16_t path4id = 0;
    std::string p4txt;
    uint16_t path5id = 0;
    std::string p5txt;
    uint16_t path6id = 0;
    std::string p6txt;
};

// An extra action button offered in one room while active.
class TChoice : public Record<TChoice> {
public:
    uint16_t id = 0;
    std::string desc;
    uint16_t roomNum = 0;
    uint16_t actionItem = 0;
    int32_t actionValue = 0;
    uint8_t isActive = 0;
};

// The keys of ChangeSection: each follows one path of the current section.
// Paths 5 and 6 are stored, but no key follows them.
namespace SectionKey {
enum Code : uint16_t { Path1 = 12, Path2, Path3, Path4 };
}  // namespace SectionKey

// Story sections and room choices. The game loads no content into them.
class TStoryMgr {
public:
    int addSection(uint16_t id, const std::string& desc, uint16_t path1id, const std::string& p1txt, uint16_t path2id,
                   const std::string& p2txt, uint16_t path3id, const std::string& p3txt, uint16_t path4id,
                   const std::string& p4txt, uint16_t path5id, const std::string& p5txt, uint16_t path6id,
                   const std::string& p6txt);
    int addChoice(uint16_t id, const std::string& desc, uint16_t roomNum, uint16_t actionItem, int32_t actionValue,
                  uint8_t isActive);
    int GetChoices(uint16_t roomNum);
    // Follows the path of the current section that the key selects.
    uint8_t ChangeSection(uint16_t key, uint16_t unused);
    int DisplaySection(uint16_t id);
};
