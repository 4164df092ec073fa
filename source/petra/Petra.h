// Petra: the riddle-giver's house, with its three puzzles: the factory scales, the motel questions and the staffs.
#pragma once

#include "petra/Petra_Ids.h"
#include "puzzles/World_Base.h"
#include "util/Pointf.h"

class Collectable;
class FloatyText;
class Image;
class Petra_Dude;
class Petra_Events;
class Petra_Factory_Scales;
class Petra_Factory_Tube;
class Petra_Petra;
class Petra_Staff_Puzzle;
class Sign;
class Switch;

constexpr int Petra_Jar_Count = 5;    // jar colours, one tube each
constexpr int Petra_Number_Jars = 10; // jars of each colour
constexpr int Petra_Staff_Count = 10;
constexpr int Petra_Object_Image_Count = 6; // five jar colours and the staff
constexpr int Petra_Staff_Objects_Base = 50;
constexpr int Petra_Object_Count = Petra_Jar_Count * Petra_Number_Jars + Petra_Staff_Count;
constexpr int Petra_Factory_Tube_Count = 5;
constexpr int Petra_Question_Count = 3;
constexpr int Petra_Answer_Count = 3; // answers to each question
constexpr int Petra_FloatyText_Count = Petra_Question_Count * Petra_Answer_Count;
// World units per font pixel of an answer label.
constexpr double Petra_Label_Scale = 0.4;
constexpr int Petra_Sign_Count = Petra_Question_Count;
constexpr int Petra_Guest_Count = 8;
constexpr int Petra_Verdict_Steps = 50; // steps on the motel's or the staffs' plate before the verdict
constexpr double DoorTeleport_Active_Dist = 16.0;
constexpr double Petra_ExitX = 350.0; // left of it, the player has walked out of the house

// The riddle-giver greets the player and sets its three puzzles one after the other, each worth a
// gem once ever: jars from five factory tubes weighed once to find the faulty tube, the motel's
// three questions answered on floor plates from the guests' clues, and ten staffs set in holders to
// make a star of five lines. Time travel is off for the whole level. The step judges the motel and
// the staffs once their plates have been down long enough, holds the player while a weighing waits
// for his choice, brings him back to the riddle-giver after each verdict, sets the camera for the
// room he is in and ends the level when he walks out on the left.
class Petra final : public World_Base
{
public:
    // Throws Error_OpenFile naming a data file that can't be opened; an error part-way frees
    // whatever was built and finalises each kind initialised.
    explicit Petra(GameEvents* events);
    ~Petra() override;

    using Level::Plot;
    void Plot() override;
    Level_Action Poll(KeyData keys) override;

    // The camera room (1 to 10) holding p, the first that does; 0 in none. Bounds are open.
    static int CameraRoom(Pointf p);

    Petra_Events* GetEvents() const { return events; }
    Collectable* GetObject(int i) const { return petraObjects[i]; }
    Petra_Petra* GetRiddleGiver() const { return riddleGiver; }
    Switch* GetSwitch(int i) const { return switches[i]; } // of map group i + 1
    Petra_Factory_Tube* GetTube(int k) const { return tubes[k]; }
    Petra_Factory_Scales* GetScales() const { return scales; }
    Petra_Dude* GetGuest(int g) const { return guests[g]; }
    FloatyText* GetAnswerLabel(int k) const { return answerLabels[k]; }
    Sign* GetSign(int q) const { return signs[q]; }
    Petra_Staff_Puzzle* GetStaffPuzzle() const { return staffPuzzle; }
    int GetMotelCountdown() const { return motelCountdown; }
    int GetStaffCountdown() const { return staffCountdown; }
    // The camera room the last step chose, 0 for none.
    int GetCameraRoom() const { return cameraRoom; }

private:
    void Build();
    // Refuses a map without an id that only play reads.
    void RequirePlayIds() const;
    // Deletes what Build made, in the world's order, each piece only when it was made.
    void DeleteObjects();
    void BuildFactory();
    void BuildMotel();
    void JudgeWeighing(KeyData const& keys);
    void JudgeMotel(Tick t);
    void JudgeStaffs(Tick t);
    // Puts the player before the riddle-giver and starts their conversation, which gives the verdict.
    void BackToPetras();
    void FollowRoom(Pointf p);

    // Made by Build, deleted by DeleteObjects from the level's build list.
    Petra_Events* events = nullptr;
    Image* objectImages[Petra_Object_Image_Count] = {};
    Collectable* petraObjects[Petra_Object_Count] = {}; // jars 0 to 49 (ten of each colour), staffs 50 to 59
    Petra_Petra* riddleGiver = nullptr;
    Switch* switches[Petra_Switch_Count] = {};
    Petra_Factory_Tube* tubes[Petra_Factory_Tube_Count] = {};
    Petra_Factory_Scales* scales = nullptr;
    Petra_Dude* guests[Petra_Guest_Count] = {};
    FloatyText* answerLabels[Petra_FloatyText_Count] = {};
    Sign* signs[Petra_Sign_Count] = {};
    Petra_Staff_Puzzle* staffPuzzle = nullptr;
    bool signsReady = false; // the signs' shared picture is loaded
    int motelCountdown = Petra_Verdict_Steps;
    int staffCountdown = Petra_Verdict_Steps;
    int cameraRoom = 0; // chosen by the last step
};
