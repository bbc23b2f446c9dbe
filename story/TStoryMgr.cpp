#include "story/TStoryMgr.h"

#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"


int TStoryMgr::addSection(uint16_t id, const std::string& desc, uint16_t path1id, const std::string& p1txt,
                          uint16_t path2id, const std::string& p2txt, uint16_t path3id, const std::string& p3txt,
                          uint16_t path4id, const std::string& p4txt, uint16_t path5id, const std::string& p5txt,
                          uint16_t path6id, const std::string& p6txt) {
    TStorySection* s = NewRecord<TStorySection>();
    s->id = id;
    s->desc = desc;
    s->path1id = path1id;
    s->p1txt = p1txt;
    s->path2id = path2id;
    s->p2txt = p2txt;
    s->path3id = path3id;
    s->p3txt = p3txt;
    s->path4id = path4id;
    s->p4txt = p4txt;
    s->path5id = path5id;
    s->p5txt = p5txt;
    s->path6id = path6id;
    s->p6txt = p6txt;
    return 0;
}

int TStoryMgr::addChoice(uint16_t id, const std::string& desc, uint16_t roomNum, uint16_t actionItem,
                         int32_t actionValue, uint8_t isActive) {
    TChoice* c = NewRecord<TChoice>();
    c->id = id;
    c->desc = desc;
    c->roomNum = roomNum;
    c->actionItem = actionItem;
    c->actionValue = actionValue;
    c->isActive = isActive;
    return 0;
}

int TStoryMgr::GetChoices(uint16_t roomNum) {
    for (const auto& c : TChoice::_list)
        if (c->roomNum == roomNum && c->isActive == 1)
            WindowMgr->Window_Main_Create_Choice_Btn(c->actionItem, c->actionValue, c->desc);
    return 0;
}

uint8_t TStoryMgr::ChangeSection(uint16_t key, uint16_t) {
    if (key < SectionKey::Path1 || key > SectionKey::Path4) return 0;
    for (const auto& s : TStorySection::_list) {
        if (s->id != MainPrg->currentSection) continue;
        uint16_t pathId = 0;
        const std::string* decision = nullptr;
        switch (key) {
            case SectionKey::Path1: pathId = s->path1id; decision = &s->p1txt; break;
            case SectionKey::Path2: pathId = s->path2id; decision = &s->p2txt; break;
            case SectionKey::Path3: pathId = s->path3id; decision = &s->p3txt; break;
            case SectionKey::Path4: pathId = s->path4id; decision = &s->p4txt; break;
        }
        if (pathId == 0) continue;
        WindowMgr->AppendStoryArea("\n\nYou decide to " + *decision + ". ");
        MainPrg->currentSection = pathId;
        DisplaySection(pathId);
        return 1;
    }
    return 0;
}

int TStoryMgr::DisplaySection(uint16_t id) {
    for (const auto& s : TStorySection::_list) {
        if (s->id != id) continue;
        WindowMgr->AppendStoryArea(s->desc);
        MainPrg->displayWhatNow();
    }
    return 0;
}
