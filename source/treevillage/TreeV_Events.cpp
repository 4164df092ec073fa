#include "treevillage/TreeV_Events.h"

#include "creatures/Sprinkler.h"
#include "engine/Event_ChatInfo.h"
#include "engine/GameEvents.h"
#include "engine/Message.h"
#include "engine/Player.h"
#include "puzzles/Grid_Puzzle.h"
#include "treevillage/TreeV_DoorSwitch.h"
#include "treevillage/TreeV_MainLift.h"
#include "treevillage/TreeV_MarketSign.h"

#include <cassert>
#include <cstdio>
#include <iterator>

namespace
{

// Progress events the village reads or writes.
constexpr GameEvent Progress_CanDo = 0;
constexpr GameEvent Progress_SwordBoost = 1;
constexpr GameEvent Progress_AttackBought = 2;
constexpr GameEvent Progress_Heart1 = 6;
constexpr GameEvent Progress_Heart2 = 7;
constexpr GameEvent Progress_SickCured = 13;
constexpr GameEvent Progress_LiftMended = 20;
constexpr GameEvent Progress_PuzzlesExplained = 21;
constexpr GameEvent Progress_ExplorerStory = 22;
constexpr GameEvent Progress_HeartSeller = 23;
constexpr GameEvent Progress_AttackSeller = 24;
constexpr GameEvent Progress_ElderStory = 25;

constexpr int Message_Time = 200;
constexpr Tick CanDo_RangeTime = 12000; // 04:00 on the range clock
constexpr Tick Sword_RangeTime = 1000;  // 00:20
constexpr int Gem_Price = 2;
constexpr int RangeLine_Size = 64;

constexpr int Chat_Lengths[TreeV_Conversation_Count] = {
    1800, 300, 1550, 1050, 300, 300,  800,  2050, 550,  1050, 1050, 2800, 550,  1800, 300,  1050, 2800, 800,  300,
    3050, 300, 800,  800,  300, 550,  4800, 300,  550,  0,    1050, 2300, 800,  800,  800,  800,  800,  800,  800,
    800,  550, 550,  2376, 376, 5050, 550,  550,  1800, 800,  800,  550,  2050, 300,  2050, 800,  800,  1050, 300,
    550,  550, 550,  550,  300, 550,  550,  550,  550,  300,  800,  5800, 300,  1300, 800,  300};

// Conversations whose first line is the range result, formatted from the range clock.
bool RangeResult(TreeV_Conversations c)
{
    return c == 6 || c == 7 || c == 10;
}

constexpr TreeV_ChatLine Chat_Lines[] = {
    {0, 0, true, "Hello, this looks like a great village, I hope you are all well?"},
    {0, 250, false, "There seems to be a bug going about, but, in general, not too bad."},
    {0, 500, true, "So, how do I get in then?  That's a pretty sturdy looking door."},
    {0, 750, false, "You have to shoot the target beside the gate by pressing return."},
    {0, 1000, false, "If you want to know more about shooting then head up to the left."},
    {0, 1250, false, "That's the target range.  There are people there that'll help."},
    {0, 1500, true, "OK, thanks a lot!"},
    {1, 0, false, "The people of Ridaduvor wish you well!"},
    {2, 0, false, "This is the Ridaduvor shooting range.  The villagers come here for"},
    {2, 250, false, "some target practice.  I know you're not from around here but"},
    {2, 500, false, "you are more than welcome to have a try if you want."},
    {2, 750, false, "Just talk to me and I'll set up the targets for you."},
    {2, 1000, false, "If you're not sure how to shoot them talk to him over there!"},
    {2, 1250, false, "He'll tell you how it all works."},
    {3, 0, true, "I'd like to have a go at the shooting range please."},
    {3, 250, false, "OK, I'll set up the course for you. See how quickly you can hit"},
    {3, 500, false, "all of the targets.  If you can get them all in less than 4:00"},
    {3, 750, false, "you get our standard prize."},
    {4, 0, false, "Hurry, see how quickly you can get all the targets!"},
    {5, 0, false, "Sorry someone has booked the range and should be along soon."},
    {6, 0, false, "Well done, you got all the targets in %.2d:%.2d!"},
    {6, 250, true, "Is that any good?"},
    {6, 500, false, ".......... no, not really!"},
    {7, 0, false, "Well done, you got all the targets in %.2d:%.2d!"},
    {7, 250, true, "Does that mean I get a prize?"},
    {7, 500, false, "It certainly does!  Here you go!"},
    {7, 750, false, "This will let you find out if you can complete a certain task"},
    {7, 1000, false, "or not.  Just hold down 'i' when you are near something that"},
    {7, 1250, false, "needs to be solved and it will tell you if it's possible"},
    {7, 1500, false, "given your current skills and items."},
    {7, 1750, true, "Thanks!  That'll come in very handy."},
    {8, 0, true, "Can I try the shooting range again please?"},
    {8, 250, false, "Sorry, we only allow one session a day for each person."},
    {9, 0, true, "I'd like to have a go at the shooting range please."},
    {9, 250, false, "OK, I'll set up the course for you. See how quickly you can hit"},
    {9, 500, false, "all of the targets.  If you can get them all in less than 20"},
    {9, 750, false, "seconds you get our special prize."},
    {10, 0, false, "Well done, you got all the targets in %.2d:%.2d!"},
    {10, 250, true, "Does that mean I get a prize?"},
    {10, 500, false, "It certainly does!  Here you go!"},
    {10, 750, false, "This doubles the damage your sword attack does."},
    {11, 0, true, "Excuse me, can you tell me how you're supposed to shoot targets?"},
    {11, 250, false, "Well certainly, we always welcome first timers here!"},
    {11, 500, false, "If you hold down the fire button then anything you can hit will"},
    {11, 750, false, "have a box drawn around it.  At this point you have targeted"},
    {11, 1000, false, "an object.  If you let go then you will throw a sword at the"},
    {11, 1250, false, "object you had targeted."},
    {11, 1500, true, "What if there is more than one object I can target at one time?"},
    {11, 1750, false, "Good question!  I like to see someone who is keen to learn."},
    {11, 2000, false, "When you have the fire button held down you can hit ' or / to"},
    {11, 2250, false, "alter which object you will attack."},
    {11, 2500, true, "That's great, thanks for the the help!"},
    {12, 0, false, "This is the Ridaduvor market.  You used to be able to get anything"},
    {12, 250, false, "here, but since the dragon came hardly anyone comes to trade."},
    {13, 0, true, "The main lift is broken, I'm trying to find the bits to fix it."},
    {13, 250, true, "Do you know where I might be able to find a solid sphere?"},
    {13, 500, false, "That sounds like the sort of thing marbles is always"},
    {13, 750, false, "playing about with, you could try him."},
    {13, 1000, true, "Can you tell me where his house is?"},
    {13, 1250, false, "If you head down to the left and take the lift down to the bottom"},
    {13, 1500, false, "there are two houses.  His is on the right."},
    {14, 0, false, "Welcome to Pete's hardware.  For all your DIY needs!"},
    {15, 0, false, "Welcome to Pete's hardware.  For all your DIY needs!"},
    {15, 250, true, "Hi, I was wondering if you had any oil?  We need some for the lift."},
    {15, 500, false, "Yes!  It's been quite a good day, you can have it for free."},
    {15, 750, true, "Thanks!"},
    {16, 0, false, "Welcome to Pete's hardware.  For all your DIY needs!"},
    {16, 250, true, "Hi, I was wondering if you had any oil?  We need some for the lift."},
    {16, 500, false, "Yes, what can you offer me for it?"},
    {16, 750, true, "Nothing much really.  Can't I just \"borrow\" it for a while?"},
    {16, 1000, true, "It's to fix the lift and everyone uses that,... go on!"},
    {16, 1250, false, "This market just isn't the same as it used to be.  Hardly anyone"},
    {16, 1500, false, "comes any more and those that do want things for free!"},
    {16, 1750, false, "Even our sign is broken, that's not going to bring in any custom!"},
    {16, 2000, false, "I tell you what.  If you can fix the sign I'll give you the oil."},
    {16, 2250, true, "It's a deal!"},
    {16, 2500, true, "I think if I attack the sign I can change it."},
    {17, 0, false, "That's much better.  Here's hoping things pick up."},
    {17, 250, false, "Here's a can of oil.  I hope that's enough for the lift!"},
    {17, 500, true, "Thanks!"},
    {18, 0, false, "Just let me know when you've fixed the sign!"},
    {19, 0, true, "Hiya!  What are those things in the jars?"},
    {19, 250, false, "I collect them, you can find them lying around the ground sometimes."},
    {19, 500, true, "Would you mind if I borrowed one?  The main lift is broken and"},
    {19, 750, true, "the person fixing it needs something solid and round."},
    {19, 1000, false, "I tell you what, I've got some new ones here.  If you can help me"},
    {19, 1250, false, "put them in the right jars then I'll give you one."},
    {19, 1500, true, "OK, that sounds good to me.  What do you want me to do?"},
    {19, 1750, false, "You stand here and I'll throw you one.  All you have to do"},
    {19, 2000, false, "is press left and right to direct it to the correct jar."},
    {19, 2250, false, "When you get it you'll throw it to the jar you have selected."},
    {19, 2500, true, "OK, I think I understand."},
    {19, 2750, false, "Right, here we go!"},
    {20, 0, false, "Hmmm,... maybe you should come back later and try again."},
    {21, 0, false, "Thanks for that!  I've been meaning to get those sorted for a while."},
    {21, 250, false, "Here's one as promised.  Is a blue one OK?"},
    {21, 500, true, "That's great!  Thank you very much."},
    {22, 0, true, "I think I'm ready to have another go now!"},
    {22, 250, false, "Great!  Remember, when I throw you one press left and right"},
    {22, 500, false, "to direct it to the correct jar."},
    {23, 0, false, "I hope the lift is working again soon!"},
    {24, 0, false, "I'm very busy and there's obviously nothing wrong with you."},
    {24, 250, false, "Please get out of my surgery!"},
    {25, 0, false, "I'm very busy and there's obviously nothing wrong with you."},
    {25, 250, false, "Please get out of my surgery!"},
    {25, 250, true, "I was just wondering if I could borrow a bandage."},
    {25, 500, true, "The main lift is broken and the man fixing it needs something to"},
    {25, 750, true, "patch up a leak in one of the components."},
    {25, 1000, false, "Oh, I see.  I'd be prepared to give you one if you could help me out."},
    {25, 1250, true, "Sure, what would you like me to do?"},
    {25, 1500, false, "There seems to be a bug going about the villagers here."},
    {25, 1750, false, "Everyone is breaking out in spots, coughing and feeling faint."},
    {25, 2000, false, "What's strange about the spots is that most of them appear red but"},
    {25, 2250, false, "in every case there are two blue, two green, two yellow and two"},
    {25, 2500, false, "white ones.  I haven't a clue what this means but I've found a great"},
    {25, 2750, false, "game is trying to join up each coloured pair"},
    {25, 3000, false, "without any of the paths crossing each other."},
    {25, 3250, true, "Ummmm, shouldn't you be trying to cure these people instead of"},
    {25, 3500, true, "drawing on their faces?"},
    {25, 3750, false, "That's where you come in.  If you can you can \"solve\" this man's"},
    {25, 4000, false, "face then it will free me up to try and find a cure."},
    {25, 4250, true, "OK, that sounds fair enough, if a little strange.  How do I start?"},
    {25, 4500, false, "Just stand next to the patient and press the action button."},
    {26, 0, false, "Just let me know when you've finished drawing on his face."},
    {27, 0, false, "Well done, I really wasn't sure how to do that one."},
    {27, 250, false, "Here's the bandage as promised, I hope it helps."},
    {29, 0, true, "OK, I think I'll start by joining the white spots."},
    {29, 250, true, "Press left and right to choose which spot to join to next."},
    {29, 500, true, "Press action to confirm the selection and jump to quit at any time."},
    {29, 750, true, "Right, here I go!"},
    {30, 0, false, "Sorry, the lift is temporarily out of order."},
    {30, 250, true, "Really?  Is there another way to the top of the village."},
    {30, 500, false, "No there isn't.  Don't worry, the lift should be fixed soon."},
    {30, 750, true, "Do you know what the problem is?"},
    {30, 1000, false, "The main dongledoo is leaking and the wibbleping has snapped."},
    {30, 1250, true, "Oh,.... sounds serious!"},
    {30, 1500, false, "It's not hard to fix, what I really need is some kind of solid sphere,"},
    {30, 1750, false, "something to patch a leak and a can of oil."},
    {30, 2000, true, "I'll see if I can rustle any of those up for you."},
    {31, 0, false, "Have you found a sphere, a patch and a can of oil?"},
    {31, 250, true, "Yes!  Here they are, does this mean you can fix the lift?"},
    {31, 500, false, "Brilliant, this should be fixed in a jiffy."},
    {32, 0, false, "Have you found a sphere, a patch and a can of oil?"},
    {32, 250, true, "I've got the sphere and the patch but no oil."},
    {32, 500, false, "That's no good, I really need all three to fix this."},
    {33, 0, false, "Have you found a sphere, a patch and a can of oil?"},
    {33, 250, true, "I've got the sphere and the oil but nothing for the leak."},
    {33, 500, false, "That's no good, I really need all three to fix this."},
    {34, 0, false, "Have you found a sphere, a patch and a can of oil?"},
    {34, 250, true, "I've only got the sphere so far."},
    {34, 500, false, "That's a start, but I really need all three to fix this."},
    {35, 0, false, "Have you found a sphere, a patch and a can of oil?"},
    {35, 250, true, "I've got the patch and the oil but no sphere."},
    {35, 500, false, "That's no good, I really need all three to fix this."},
    {36, 0, false, "Have you found a sphere, a patch and a can of oil?"},
    {36, 250, true, "I've only got something to patch the leak so far."},
    {36, 500, false, "That's a start, but I really need all three to fix this."},
    {37, 0, false, "Have you found a sphere, a patch and a can of oil?"},
    {37, 250, true, "I've only got the can of oil so far."},
    {37, 500, false, "That's a start, but I really need all three to fix this."},
    {38, 0, false, "Have you found a sphere, a patch and a can of oil?"},
    {38, 250, true, "Nope, nothing!"},
    {38, 500, false, "Well, let me know when you've got them."},
    {39, 0, false, "Just stand in the lift and attack the switch.  If it has left"},
    {39, 250, false, "without you then you'll have to wait for it to come back."},
    {40, 0, false, "Sorry, no-one can come in right now.  The master of the house"},
    {40, 250, false, "is very busy.  Please come back another time!"},
    {41, 0, true, "I like your pictures!"},
    {41, 250, false, "They're not pictures.  They're solutions to puzzles!"},
    {41, 500, true, "Puzzles?  What kind of puzzles are they from?"},
    {41, 750, false, "See that chest over there?  You'll find them everywhere."},
    {41, 1000, false, "When you try and open one you'll need to solve a puzzle."},
    {41, 1250, false, "You'll find there is a grid of squares each with a number"},
    {41, 1500, false, "written in it.  You can click squares on and off to make a picture."},
    {41, 1750, false, "The number in each square tells you how many squares around that"},
    {41, 2000, false, "one should be on.  When you solve the puzzle the chest will open."},
    {41, 2250, false, "Look, here's an example one."},
    {42, 0, true, "Can you explain how to do the puzzles again please!"},
    {42, 250, false, "Certainly, here's that example again."},
    {43, 0, false, "You must be the young man I keep hearing about."},
    {43, 250, false, "Planning to kill the dragon in the Black mountains."},
    {43, 500, true, "That's right, and who are you?"},
    {43, 750, false, "I don't imagine you'll have heard of me, people don't know my name now."},
    {43, 1000, false, "I was once a young explorer like yourself."},
    {43, 1250, true, "Really, where have you been?"},
    {43, 1500, false, "Oh,.... here and there.  I tried taking on that dragon myself back"},
    {43, 1750, false, "when I could make it up stairs without getting out of breath."},
    {43, 2000, false, "The most frightening thing I've ever seen, tail whipping through"},
    {43, 2250, false, "the air like a tree trunk, breath of fire, blinding and burning."},
    {43, 2500, false, "Of course I was one of the lucky ones.  I realised there was no way"},
    {43, 2750, false, "of defeating him and managed to escape with my life."},
    {43, 3000, true, "Why can't he be defeated?  Everyone has a weakness."},
    {43, 3250, false, "If there is one then I don't know about it.  I managed to get a few"},
    {43, 3500, false, "good shots on him, reckon I probably hurt him quite bad."},
    {43, 3750, false, "The trouble is he nests on regeneration crystals, I may have hurt"},
    {43, 4000, false, "him but within a minute he was back to full strength."},
    {43, 4250, false, "You would have to kill him before he got the chance to regenerate."},
    {43, 4500, true, "I'll find a way.  I have to for the good of the town."},
    {43, 4750, false, "Ah, I remember that spark.  My thoughts will be with you!"},
    {44, 0, true, "Do you have any more advice about the dragon?"},
    {44, 250, false, "Only that you must be quick.  Don't give him time to heal!"},
    {45, 0, false, "My Dad told me about you.  You're planning on killing that dragon."},
    {45, 250, false, "When I grow up I'm going to be an explorer just like him!"},
    {46, 0, false, "Hello, I hear you're embarking on quite a journey."},
    {46, 250, false, "The dragon you're after lives in the black mountains to the west."},
    {46, 500, false, "The great tower lies between here and the mountains so you'll"},
    {46, 750, false, "need to pass through there.  The great tower has some very strange"},
    {46, 1000, false, "properties, once you get there I'm sure it will all make sense."},
    {46, 1250, false, "Dadodo lives to the east past Camdo's mine, next to his brother."},
    {46, 1500, false, "You might want to pay them a visit, they have some useful stuff."},
    {47, 0, false, "I'd love to see Zudevu canyon.  The path is so dangerous now!"},
    {47, 250, true, "What's so special about it?"},
    {47, 500, false, "They say the view from the bridge is the best in the land."},
    {48, 0, false, "We used to have a fortune teller here in Ridaduvor called Petra."},
    {48, 250, true, "What happened to her?"},
    {48, 500, false, "She moved out of the village.  I suppose she saw it coming!"},
    {49, 0, false, "The illness sweeping the village means the doctor is very busy."},
    {49, 250, false, "I hope he finds a cure soon, I don't want to catch it."},
    {50, 0, false, "I think I'm starting to come down with this virus that's going"},
    {50, 250, false, "round.  Look, I've got two big red spots on my nose.  The doctor"},
    {50, 500, false, "doesn't seem to be doing anything.  Maybe I should head towards"},
    {50, 750, false, "Dadodo's or Zodezo's and see if they've got anything to help."},
    {50, 1000, true, "Zodezo?  I'm heading towards Dadodo's place, I didn't even"},
    {50, 1250, true, "know there was someone called Zodezo."},
    {50, 1500, false, "That's Dadodo's brother.  He's not quite as soft as Dadodo but"},
    {50, 1750, false, "he's got some really cool stuff."},
    {51, 0, false, "Seems like I've been waiting here forever!"},
    {52, 0, false, "Outside the village is so dangerous now we have to teach our"},
    {52, 250, false, "youngsters about the potential dangers and how to deal with them."},
    {52, 500, true, "Maybe I should sit in, I'm planning on going after the"},
    {52, 750, true, "dragon in the Black mountains."},
    {52, 1000, false, "That's extrememly brave, you'll need to go through the"},
    {52, 1250, false, "goblin stronghold.  It's guarded by a giant ogre!"},
    {52, 1500, false, "No-one has ever been able to defeat one of those."},
    {52, 1750, false, "All the weapons we make are ineffective against them."},
    {53, 0, false, "That thing on the board looks really scary, I hope I never see one!"},
    {53, 250, true, "Don't worry, they don't come anywhere near the village."},
    {53, 500, false, "Teacher says they come out at night though!"},
    {54, 0, false, "I don't like these lessons they frighten me!"},
    {54, 250, true, "It's good to know what's out there."},
    {54, 500, false, "I'd rather not know, I'm never leaving the village!"},
    {55, 0, false, "Yesterday we learned about Shmoos, what a stupid name!"},
    {55, 250, false, "They're big and slimy and they bounce about all over the place."},
    {55, 500, true, "Are they dangerous?"},
    {55, 750, false, "Only if you let them touch you!"},
    {56, 0, false, "Sshhhh, I'm concentrating!"},
    {57, 0, false, "Hello, I sell attack boosts.  For a mere two gems you"},
    {57, 250, false, "can get a permanent extra boost on your attack damage."},
    {58, 0, false, "Just speak to me if you'd like to buy an attack boost."},
    {58, 250, false, "It'll cost you two gems."},
    {59, 0, true, "I'd like an attack boost please!"},
    {59, 250, false, "Here you go, hope you get good use out of it."},
    {60, 0, true, "I'd like an attack boost please!"},
    {60, 250, false, "Sorry, you don't have two gems."},
    {61, 0, false, "Sorry, I don't have any more sword boosts left!"},
    {62, 0, false, "Hello, I sell health boosts.  For a mere two gems you"},
    {62, 250, false, "can get a permanent extra heart on your energy."},
    {63, 0, false, "Just speak to me if you'd like to buy an energy boost."},
    {63, 250, false, "It'll cost you two gems."},
    {64, 0, true, "I'd like an energy boost please!"},
    {64, 250, false, "Here you go, hope you get good use out of it."},
    {65, 0, true, "I'd like an energy boost please!"},
    {65, 250, false, "Sorry, you don't have two gems."},
    {66, 0, false, "Sorry, I don't have any more heart boosts left!"},
    {67, 0, false, "Are you heading toward's Dadodo's castle?  I've met him a"},
    {67, 250, false, "few times, he's a lovely man but a little bit strange."},
    {67, 500, true, "Thanks, I'll bear that in mind."},
    {68, 0, false, "Hello, I haven't seen you around before?"},
    {68, 250, true, "No, I've just arrived.  I'm on my way to the Black mountains."},
    {68, 500, false, "The Black mountains?  Then you must be going after the dragon."},
    {68, 750, true, "That's right.  Do you know much about him?"},
    {68, 1000, false, "I'm Tumblewick, the elder of this village.  I know more than most."},
    {68, 1250, false, "When I was a boy Ridaduvor was a busy place.  Traders came from"},
    {68, 1500, false, "all over the land and the market was full every day."},
    {68, 1750, false, "Then the dragon came down from the mountains and everything changed."},
    {68, 2000, false, "He burned the farms to the west and the traders stopped coming."},
    {68, 2250, false, "The paths became dangerous and creatures started roaming the land."},
    {68, 2500, true, "Has no-one tried to stop him?"},
    {68, 2750, false, "Many have tried, brave people from this very village."},
    {68, 3000, false, "Very few came back, and those that did were never the same."},
    {68, 3250, true, "Well, I'm not going to give up.  Somebody has to do it."},
    {68, 3500, false, "You remind me of my son.  He left to face the dragon years ago."},
    {68, 3750, true, "What happened to him?"},
    {68, 4000, false, "I never found out.  I still hope he'll walk through that gate one day."},
    {68, 4250, false, "If you're going to do this then you'll need all the help you can get."},
    {68, 4500, false, "Talk to the people of the village, many of them can help you."},
    {68, 4750, false, "The range master will teach you to shoot and the shops sell boosts."},
    {68, 5000, true, "Thank you, I'll do my best."},
    {68, 5250, false, "Be careful out there.  The whole village will be thinking of you."},
    {68, 5500, false, "Come back safely, and may the spirits of Ridaduvor guide you."},
    {69, 0, false, "Good luck with the quest!"},
    {70, 0, false, "Welcome back!  The people of Ridaduvor salute you."},
    {70, 250, false, "You've had quite a journey and succeeded in your quest."},
    {70, 500, false, "Finally we can all live in peace without fear of that dragon."},
    {70, 750, false, "I hereby grant you the freedom of the village."},
    {70, 1000, false, "You will always find a friend here, come by any time!"},
    {71, 0, false, "I've just been to Zudevu canyon for my vacation.  It's spectacular!"},
    {71, 250, true, "Isn't the path there dangerous?"},
    {71, 500, false, "Very, but the view from the top is worth every step!"},
    {72, 0, false, "Sorry, the bridge is down!  I'm not sure when it will be fixed."},
};

} // namespace

TreeV_Events::TreeV_Events(GameEvents* events, Message* messages) : LevelEvents(events, messages)
{
    for (Tick& slot : slots)
        slot = GameEvent_HasntHappened;
}

TreeV_Events::~TreeV_Events()
{
    delete gridPuzzle;
    delete[] lineBuffer;
}

TreeV_ChatLine const* TreeV_Events::Lines(int* count)
{
    *count = int(std::size(Chat_Lines));
    return Chat_Lines;
}

bool TreeV_Events::Happened(TreeV_Event e, Tick t) const
{
    assert(e >= 0 && e < TreeV_Event_Count && "event >= 0 && event < TreeV_Event_Count");
    Tick const slot = slots[e];
    return slot == GameEvent_HasHappened || (slot != GameEvent_HasntHappened && slot <= t);
}

bool TreeV_Events::NotHappened(TreeV_Event e, Tick t) const
{
    return !Happened(e, t);
}

Tick TreeV_Events::GetSlot(TreeV_Event e) const
{
    assert(e >= 0 && e < TreeV_Event_Count && "event >= 0 && event < TreeV_Event_Count");
    return slots[e];
}

void TreeV_Events::SetSlot(TreeV_Event e, Tick t)
{
    assert(e >= 0 && e < TreeV_Event_Count && "event >= 0 && event < TreeV_Event_Count");
    slots[e] = t;
}

Tick TreeV_Events::Shooting_CompleteTime() const
{
    Tick const start = slots[TreeV_Event_RangeStarted];
    Tick const end = slots[TreeV_Event_RangeAllHit];
    if (start == GameEvent_HasntHappened || end == GameEvent_HasntHappened)
        return -1;
    return end - start;
}

int TreeV_Events::ChatLength(TreeV_Conversations c)
{
    if (c < 0 || c >= TreeV_Conversation_Count)
    {
        assert(false && "false");
        return 0;
    }
    return Chat_Lengths[c];
}

int TreeV_Events::ChatLength(int talker, Tick t)
{
    return ChatLength(FindTalkId(talker, t));
}

TreeV_Conversations TreeV_Events::FindTalkId(int talker, Tick t) const
{
    GameEvents const& ge = *gameEvents;
    auto const happened = [&](TreeV_Event e) { return Happened(e, t); };
    Tick const rangeStart = slots[TreeV_Event_RangeStarted];
    // The range master once a course is booked: a course booked later (by a past self) keeps
    // the range taken, the result is told once, and the prize depends on the time.
    auto const rangeAnswer = [&](Tick prizeTime, TreeV_Conversations prize) {
        if (rangeStart >= t)
            return 5;
        if (happened(TreeV_Event_RangeResult))
            return 8;
        if (!happened(TreeV_Event_RangeAllHit))
            return 4;
        return Shooting_CompleteTime() <= prizeTime ? prize : 6;
    };
    switch (talker)
    {
    case 0:
        return happened(TreeV_Event_GateExplained) ? 1 : 0;
    case 1:
        if (ge.NotHappened(Progress_CanDo, t))
        {
            if (slots[TreeV_Event_RangeIntro] == GameEvent_HasntHappened)
                return 2;
            if (rangeStart == GameEvent_HasntHappened)
                return 3;
            return rangeAnswer(CanDo_RangeTime, 7);
        }
        if (ge.NotHappened(Progress_SwordBoost, t))
        {
            if (rangeStart == GameEvent_HasntHappened)
                return 9;
            return rangeAnswer(Sword_RangeTime, 10);
        }
        return 5;
    case 2:
        return 11;
    case 3:
        return happened(TreeV_Event_LiftExplained) && !happened(TreeV_Event_MarblesWon) ? 13 : 12;
    case 4:
        if (happened(TreeV_Event_LiftExplained) && !happened(TreeV_Event_Oil))
        {
            bool const complete = marketSign != nullptr && marketSign->IsComplete(t);
            if (happened(TreeV_Event_SignDeal))
                return complete ? 17 : 18;
            return complete ? 15 : 16;
        }
        return 14;
    case 5:
        // The result is told only on the step the game ended.
        if (slots[TreeV_Event_MarblesLost] == t)
            return 20;
        if (slots[TreeV_Event_MarblesWon] == t)
            return 21;
        if (happened(TreeV_Event_MarblesWon))
            return 23;
        if (happened(TreeV_Event_MarblesLost))
            return 22;
        return 19;
    case 6:
        if (happened(TreeV_Event_LiftExplained) && !happened(TreeV_Event_Bandage))
        {
            if (happened(TreeV_Event_PatientAsked))
                return happened(TreeV_Event_PatientSolved) ? 27 : 26;
            return 25;
        }
        return 24;
    case 7:
    {
        if (ge.Happened(Progress_LiftMended, t))
            return 39;
        if (!happened(TreeV_Event_LiftExplained))
            return 30;
        bool const sphere = happened(TreeV_Event_MarblesWon);
        bool const patch = happened(TreeV_Event_Bandage);
        bool const oil = happened(TreeV_Event_Oil);
        if (sphere)
            return patch ? (oil ? 31 : 32) : (oil ? 33 : 34);
        if (patch)
            return oil ? 35 : 36;
        return oil ? 37 : 38;
    }
    case 8:
        return happened(TreeV_Event_PatientAsked) && !happened(TreeV_Event_PatientSolved) ? 29 : 28;
    case 9:
        return ge.Happened(Progress_PuzzlesExplained, t) ? 42 : 41;
    case 10:
        return ge.Happened(Progress_ExplorerStory, t) ? 44 : 43;
    case 11:
        return 45;
    case 12:
        return 46;
    case 13:
        return 47;
    case 14:
        return 48;
    case 15:
        return 49;
    case 16:
        return ge.Happened(Progress_SickCured, t) ? 51 : 50;
    case 17:
        return 52;
    case 18:
        return 53;
    case 19:
        return 54;
    case 20:
        return 55;
    case 21:
        if (ge.NotHappened(Progress_AttackSeller, t))
            return 57;
        if (ge.Happened(Progress_AttackBought, 0))
            return 61;
        if (happened(TreeV_Event_AttackPrice))
            return ge.gems < Gem_Price ? 60 : 59;
        return 58;
    case 22:
        if (ge.NotHappened(Progress_HeartSeller, t))
            return 62;
        if (ge.NotHappened(Progress_Heart1, 0) || ge.NotHappened(Progress_Heart2, 0))
        {
            if (happened(TreeV_Event_HeartPrice))
                return ge.gems < Gem_Price ? 65 : 64;
            return 63;
        }
        return 66;
    case 23:
        return 67;
    case 24:
        if (ending)
            return 70;
        return ge.Happened(Progress_ElderStory, t) ? 69 : 68;
    case 25:
        return 71;
    case 26:
        return 72;
    case 27:
        return 56;
    case TreeV_DoorTalker:
        return 40;
    default:
        assert(false && "false");
        return 28;
    }
}

int TreeV_Events::Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t)
{
    delete[] lineBuffer;
    lineBuffer = nullptr;
    if (chatTick == 0)
        conversation = FindTalkId(talker, t);
    if (ChatLength(conversation) == chatTick)
        info->flags |= Chat_End;
    for (TreeV_ChatLine const& line : Chat_Lines)
    {
        if (line.conversation != conversation || line.chatTick != chatTick)
            continue;
        char const* text = line.text;
        if (chatTick == 0 && RangeResult(conversation))
        {
            Tick const c = Shooting_CompleteTime();
            lineBuffer = new char[RangeLine_Size];
            std::snprintf(lineBuffer, RangeLine_Size, line.text, int(c / 3000), int((c / 50) % 60));
            text = lineBuffer;
        }
        if (line.hero)
            info->heroText = text;
        else
            info->otherText = text;
    }
    Effects(chatTick, info, t);
    return 0;
}

void TreeV_Events::Effects(int chatTick, Event_ChatInfo* info, Tick t)
{
    GameEvents& ge = *gameEvents;
    auto const at = [&](TreeV_Conversations c, int tick) { return conversation == c && chatTick == tick; };
    if (at(0, 1250))
        slots[TreeV_Event_GateExplained] = t;
    if (at(2, 750))
        slots[TreeV_Event_RangeIntro] = t;
    if (at(3, 750) || at(9, 750))
    {
        slots[TreeV_Event_RangeStarted] = t;
        Display("Head up to get the targets!");
    }
    if (at(6, 500))
        slots[TreeV_Event_RangeResult] = t;
    if (at(7, 750))
    {
        slots[TreeV_Event_RangeResult] = t;
        ge[Progress_CanDo] = t;
        Display("Received \"Can-Do\" indicator!");
        saveGame = true;
    }
    if (at(10, 750))
    {
        slots[TreeV_Event_RangeResult] = t;
        ge[Progress_SwordBoost] = t;
        Display("Received sword attack boost!");
        saveGame = true;
    }
    if (at(15, 500) || at(17, 250))
    {
        slots[TreeV_Event_Oil] = t;
        Display("Received can of oil!");
    }
    if (at(16, 2000))
        slots[TreeV_Event_SignDeal] = t;
    if (at(16, 2500))
        info->flags |= Chat_HeroThinks;
    if (at(19, 3050) || at(22, 800))
        marblesRunning = true;
    if (at(25, 4500))
        slots[TreeV_Event_PatientAsked] = t;
    if (at(27, 250))
    {
        slots[TreeV_Event_Bandage] = t;
        Display("Received bandage!");
    }
    if (conversation == 29)
        info->flags |= Chat_HeroThinks;
    if (at(29, 1000))
        patientRunning = true;
    if (at(30, 2000))
    {
        slots[TreeV_Event_LiftExplained] = t;
        if (marblesDoor != nullptr)
        {
            marblesDoor->SetMessage("Marbles' house", nullptr);
            marblesDoor->SetEnable(true);
        }
    }
    if (at(31, 750))
    {
        // A travel back can bring this line round again: every part of it must bear a repeat.
        ge[Progress_LiftMended] = t;
        if (mainLift != nullptr)
            mainLift->SetEnable(true);
        if (sprinklerSlot != nullptr && *sprinklerSlot != nullptr)
        {
            delete *sprinklerSlot;
            *sprinklerSlot = nullptr;
        }
        Display("Jump in lift and hit target to operate");
    }
    if (at(41, 2374) || at(42, 374))
        info->flags = Chat_CloseOther;
    if (at(41, 2374))
        ge[Progress_PuzzlesExplained] = t;
    if (at(41, 2375) || at(42, 375))
        OpenGridPuzzle();
    if (at(43, 4750))
        ge[Progress_ExplorerStory] = t;
    if (at(57, 250))
        ge[Progress_AttackSeller] = t;
    if (at(58, 250))
        slots[TreeV_Event_AttackPrice] = t;
    if (at(59, 250))
    {
        ge[Progress_AttackBought] = GameEvent_HasHappened;
        ge.gems -= Gem_Price;
        Display("Received attack boost");
    }
    if (at(62, 250))
        ge[Progress_HeartSeller] = t;
    if (at(63, 250))
        slots[TreeV_Event_HeartPrice] = t;
    if (at(64, 250))
    {
        ge[ge.NotHappened(Progress_Heart1, 0) ? Progress_Heart1 : Progress_Heart2] = GameEvent_HasHappened;
        if (player != nullptr)
            player->TotalHPUp();
        ge.gems -= Gem_Price;
        Display("Received energy boost");
    }
    if (at(68, 5500))
        ge[Progress_ElderStory] = t;
}

void TreeV_Events::Display(char const* text) const
{
    if (message != nullptr)
        message->Display(text, Message_Time);
}

void TreeV_Events::OpenGridPuzzle()
{
    delete gridPuzzle;
    gridPuzzle = nullptr;
    gridPuzzle = new Grid_Puzzle(0);
}

void TreeV_Events::CloseGridPuzzle()
{
    delete gridPuzzle;
    gridPuzzle = nullptr;
}
