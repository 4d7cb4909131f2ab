#include "SampleNames.h"

namespace SampleNames {

const QStringList& MaleFirstNames() {
    static const QStringList names = {
        "John",        "Robert",  "Michael",  "David",     "James",   "William", "Richard",
        "Thomas",      "Charles", "Daniel",   "Mark",      "Paul",    "Steven",  "Andrew",
        "Peter",       "Eric",    "Erik",     "Lars",      "Nils",    "Gustav",  "Karl",
        "Henry",       "Walter",  "Arthur",   "Harold",    "Ernest",  "Leonard", "Howard",
        "Dale",        "Roger",   "Gary",     "Dennis",    "Bruce",   "Wayne",   "Keith",
        "Scott",       "Brian",   "Kevin",    "Jason",     "Matthew", "Joshua",  "Nathan",
        "Aaron",       "Samuel",  "Benjamin", "Jacob",     "Ethan",   "Noah",    "Owen",
        "Isaac",       "Luke",    "Caleb",    "Elijah",    "Oliver",  "Jonas",   "Anders",
        "Christopher", "Timothy", "Jonathan", "Alexander",
    };
    return names;
}

const QStringList& FemaleFirstNames() {
    static const QStringList names = {
        "Mary",      "Patricia",  "Linda",    "Barbara",   "Elizabeth", "Jennifer", "Susan",
        "Margaret",  "Dorothy",   "Karen",    "Nancy",     "Ruth",      "Helen",    "Carol",
        "Sharon",    "Donna",     "Joan",     "Judith",    "Ingrid",    "Astrid",   "Solveig",
        "Marit",     "Kristin",   "Anna",     "Emma",      "Olivia",    "Sophia",   "Grace",
        "Hannah",    "Abigail",   "Emily",    "Sarah",     "Rachel",    "Rebecca",  "Laura",
        "Julie",     "Lisa",      "Amy",      "Heidi",     "Gretchen",  "Marilyn",  "Lois",
        "Evelyn",    "Mildred",   "Gladys",   "Beverly",   "Janet",     "Joyce",    "Diane",
        "Kathleen",  "Ellen",     "Alice",    "Clara",     "Lydia",     "Naomi",    "Esther",
        "Elisabeth", "Charlotte", "Madeline", "Josephine",
    };
    return names;
}

const QStringList& LastNames() {
    static const QStringList names = {
        "Anderson",
        "Johnson",
        "Olson",
        "Peterson",
        "Larson",
        "Nelson",
        "Swanson",
        "Carlson",
        "Hanson",
        "Erickson",
        "Lindquist",
        "Berg",
        "Lund",
        "Nygaard",
        "Haugen",
        "Solberg",
        "Dahl",
        "Bakken",
        "Thompson",
        "Smith",
        "Miller",
        "Schmidt",
        "Mueller",
        "Schultz",
        "Wagner",
        "Becker",
        "Hoffmann",
        "Koch",
        "Richter",
        "Klein",
        "Wolf",
        "Schroeder",
        "Neumann",
        "Braun",
        "Zimmerman",
        "Kruger",
        "Hartmann",
        "Lange",
        "Werner",
        "Krause",
        "Meier",
        "Lehmann",
        "Brown",
        "Jones",
        "Williams",
        "Davis",
        "Wilson",
        "Taylor",
        "Moore",
        "Jackson",
        "Martin",
        "Lee",
        "Walker",
        "Hall",
        "Allen",
        "Young",
        "King",
        "Wright",
        "Scott",
        "Green",
        "Baker",
        "Adams",
        "Hill",
        "Campbell",
        "Mitchell",
        "Roberts",
        "Phillips",
        "Evans",
        "Turner",
        "Parker",
        "Collins",
        "Edwards",
        "Stewart",
        "Morris",
        "Murphy",
        "Cook",
        "Rogers",
        "Morgan",
        "Cooper",
        "Reed",
        "Bailey",
        "Bell",
        "Kelly",
        "Howard",
        "Ward",
        "Cox",
        "Richardson",
        "Wood",
        "Watson",
        "Brooks",
        "Bennett",
        "Gray",
        "Hughes",
        "Price",
        "Sanders",
        "Myers",
        "Long",
        "Ross",
        "Foster",
        "Jensen",
        "Christensen",
        "Rasmussen",
        "Sorensen",
        "Pedersen",
        "Madsen",
        "Kristiansen",
        "Halvorson",
        "Gunderson",
        "Amundson",
        "Torgerson",
        "Ostby",
        "Rygh",
        "Bjornstad",
        "Vik",
        "Ostrander",
        "McAllister",
        "O'Neill",
        "Van der Berg",
        "DeVries",
        "St. John",
        "Fitzgerald-Lindqvist",
    };
    return names;
}

const QStringList& Streets() {
    static const QStringList names = {
        "Maple Street",        "Oak Avenue",        "Elm Street",        "Division Street",
        "Water Street",        "College Street",    "Washington Street", "Prairie Street",
        "Lincoln Street",      "Woodley Street",    "Jefferson Parkway", "Forest Avenue",
        "Cannon Valley Drive", "Highland Avenue",   "St. Olaf Avenue",   "Union Street",
        "Third Street West",   "Fifth Street East", "Linden Street",     "Spring Creek Road",
        "Hall Avenue",         "Sumner Street",     "Nevada Street",     "Greenvale Avenue",
        "Orchard Lane",        "Bluff Road",        "Church Street",     "Mill Pond Road",
        "Heritage Drive",      "Lakeview Circle",   "Pine Ridge Trail",  "Birch Court",
    };
    return names;
}

const QList<City>& Cities() {
    static const QList<City> cities = {
        {"Northfield", "MN", "55057", "507"},   {"Dundas", "MN", "55019", "507"},
        {"Faribault", "MN", "55021", "507"},    {"Lonsdale", "MN", "55046", "507"},
        {"Farmington", "MN", "55024", "651"},   {"Lakeville", "MN", "55044", "952"},
        {"Cannon Falls", "MN", "55009", "507"}, {"Red Wing", "MN", "55066", "651"},
    };
    return cities;
}

const QStringList& Pastors() {
    static const QStringList names = {"Rev. Anna Lindqvist", "Rev. Thomas Berg",
                                      "Pastor David Ostrander", "Rev. Maria Hansen",
                                      "Rev. Dr. Paul Nygaard"};
    return names;
}

const QStringList& MusicTitles() {
    static const QStringList titles = {
        "Silent Night",
        "O Come, All Ye Faithful",
        "Joy to the World",
        "Ave Maria",
        "Ave Verum Corpus",
        "Jesu, Joy of Man's Desiring",
        "The Lord Bless You and Keep You",
        "Beautiful Savior",
        "A Mighty Fortress",
        "Amazing Grace",
        "How Can I Keep from Singing",
        "Be Thou My Vision",
        "Lo, How a Rose E'er Blooming",
        "In the Bleak Midwinter",
        "Lift Thine Eyes",
        "Psalm 23",
        "The Call",
        "Down to the River to Pray",
        "Shall We Gather at the River",
        "Were You There",
        "Christ the Lord Is Risen Today",
        "Alleluia",
        "Gloria",
        "Sanctus",
        "Agnus Dei",
        "Kyrie",
        "Cantate Domino",
        "Jubilate Deo",
        "O Magnum Mysterium",
        "Ubi Caritas",
        "Let All Mortal Flesh Keep Silence",
        "Built on a Rock",
        "Children of the Heavenly Father",
        "Now Thank We All Our God",
        "For the Beauty of the Earth",
        "Come, Thou Fount",
        "Great Is Thy Faithfulness",
        "Holy, Holy, Holy",
        "Here I Am, Lord",
        "On Eagle's Wings",
        "Lamb of God",
        "The Church's One Foundation",
        "Thine Is the Glory",
        "Go Tell It on the Mountain",
        "What Child Is This",
        "Infant Holy, Infant Lowly",
        "Rejoice, the Lord Is King",
        "O Sacred Head, Now Wounded",
        "Ride On, King Jesus",
        "Hosanna to the Son of David",
        "Wade in the Water",
        "Ain't Got Time to Die",
        "Set Me as a Seal",
        "Thou Knowest, Lord",
        "If Ye Love Me",
        "O Taste and See",
        "Light of the World",
        "Prepare the Way",
        "Savior of the Nations, Come",
        "Wake, Awake",
        "Let There Be Peace on Earth",
        "The Lord's Prayer",
        "Morning Has Broken",
        "All Creatures of Our God and King",
        "This Is the Day",
        "Sing to the Lord a New Song",
    };
    return titles;
}

const QStringList& Publishers() {
    static const QStringList names = {
        "Augsburg Fortress", "Concordia",      "GIA Publications",  "Oxford University Press",
        "Hal Leonard",       "Hinshaw Music",  "MorningStar Music", "Santa Barbara Music",
        "Boosey & Hawkes",   "E. C. Schirmer", "Choristers Guild",  "Walton Music"};
    return names;
}

const QStringList& Hymns() {
    static const QStringList hymns = {
        "335 Joy to the World",
        "281 Silent Night",
        "504 A Mighty Fortress",
        "779 Amazing Grace",
        "838 Beautiful Savior",
        "793 Be Thou My Vision",
        "839 Now Thank We All Our God",
        "879 For the Beauty of the Earth",
        "413 Holy, Holy, Holy",
        "574 Here I Am, Lord",
        "787 On Eagle's Wings",
        "733 Great Is Thy Faithfulness",
        "654 The Church's One Foundation",
        "365 Christ the Lord Is Risen Today",
        "351 O Sacred Head, Now Wounded",
        "263 Savior of the Nations, Come",
        "436 Wake, Awake",
        "652 Built on a Rock",
        "781 Children of the Heavenly Father",
        "807 Come, Thou Fount",
        "490 Let All Mortal Flesh Keep Silence",
        "376 Thine Is the Glory",
        "290 Go Tell It on the Mountain",
        "296 What Child Is This",
        "835 All Creatures of Our God and King",
        "628 Rejoice, the Lord Is King",
    };
    return hymns;
}

const QStringList& ReadingBooks() {
    static const QStringList books = {"Genesis",     "Exodus",        "Deuteronomy", "Isaiah",
                                      "Jeremiah",    "Micah",         "Psalm",       "Matthew",
                                      "Mark",        "Luke",          "John",        "Acts",
                                      "Romans",      "1 Corinthians", "Galatians",   "Ephesians",
                                      "Philippians", "Hebrews",       "1 John",      "Revelation"};
    return books;
}

const QStringList& SermonTitles() {
    static const QStringList titles = {
        "Bread for the Journey",
        "The Lost Are Found",
        "Light in the Darkness",
        "Good News for the Neighbor",
        "Waiting with Hope",
        "Grace Upon Grace",
        "The Shepherd Knows Our Names",
        "Fear Not",
        "Rooted and Grounded",
        "A Table for All",
        "Living Water",
        "The Road to Emmaus",
        "Salt and Light",
        "Who Is My Neighbor?",
        "Seeds of the Kingdom",
        "Peace Be with You",
    };
    return titles;
}

const QList<Ministry>& Ministries() {
    static const QList<Ministry> ministries = {
        {"Church Council",
         "The elected council that governs the congregation between its "
         "annual meetings.",
         true, 12},
        {"Finance Committee", "Budget, audit and the counting of offerings.", true, 6},
        {"Altar Guild", "Prepares the altar, paraments and communion ware for every service.",
         false, 14},
        {"Senior Choir", "Sings at the late Sunday service from September to May.", false, 30},
        {"Ushers",
         "Greets worshippers, hands out bulletins, receives the offering and counts "
         "attendance.",
         false, 24},
        {"Sunday School Teachers", "Teaches the children's classes during the education hour.",
         false, 18},
        {"Lectors", "Reads the lessons in worship.", false, 20},
        {"Acolytes", "Lights the candles and carries the cross in procession.", false, 16},
        {"Worship and Music Committee",
         "Plans the seasons of worship with the pastors and "
         "musicians.",
         false, 8},
        {"Property Committee", "Cares for the buildings and grounds.", false, 10},
        {"Evangelism Team", "Welcomes visitors and new members.", false, 10},
        {"Youth Ministry", "Leads the youth group, retreats and the summer mission trip.", false,
         12},
        {"Social Ministry", "Food shelf, community meals and visits to the homebound.", false, 20},
        {"Stewardship Committee", "Leads the fall pledge campaign.", false, 8},
    };
    return ministries;
}

const QStringList& MemoLines() {
    static const QStringList lines = {
        "Prefers to be contacted by telephone in the evening.",
        "Homebound; monthly communion visit.",
        "Interested in joining the choir.",
        "Moved to assisted living; mail to the family address.",
        "Offered to help with the fall festival.",
        "Hard of hearing: sits near the front.",
        "Wishes to be considered for council.",
        "Daughter attends college out of state.",
        "New member class completed.",
        "Asked for a visit after surgery.",
        "Gluten-free communion wafer, please.",
        "Donated the baptismal font cover in memory of her mother.",
    };
    return lines;
}

const QStringList& CounselingSubjects() {
    static const QStringList subjects = {
        "Premarital counseling", "Grief support",          "Marriage enrichment",
        "Pastoral visit",        "Vocational discernment", "Family conflict",
        "Hospital follow-up",    "Baptism preparation",    "Funeral planning",
    };
    return subjects;
}

const QStringList& FamilyRelationships() {
    static const QStringList names = {"Father", "Mother",    "Grandmother", "Grandfather",
                                      "Sister", "Brother",   "Aunt",        "Uncle",
                                      "Cousin", "Stepmother"};
    return names;
}

const QStringList& PartyRoles() {
    static const QStringList roles = {"Maid of Honor", "Best Man",    "Bridesmaid", "Groomsman",
                                      "Flower Girl",   "Ring Bearer", "Usher",      "Soloist",
                                      "Organist",      "Reader"};
    return roles;
}

const QStringList& LogisticsItems() {
    static const QStringList items = {
        "Reserve the sanctuary",
        "Confirm the organist",
        "Order flowers",
        "Print bulletins",
        "Marriage license received",
        "Unity candle",
        "Guest book and pen",
        "Confirm the photographer",
        "Reserve fellowship hall",
        "Pay the sexton",
        "Premarital counseling completed",
        "Rehearsal time set",
        "Aisle runner",
        "Sound system check",
    };
    return items;
}

const QStringList& Hospitals() {
    static const QStringList names = {
        "Northfield Hospital",  "District One Hospital", "Abbott Northwestern Hospital",
        "Mayo Clinic Hospital", "Regions Hospital",      "Home"};
    return names;
}

const QStringList& Cemeteries() {
    static const QStringList names = {"Oaklawn Cemetery",
                                      "Northfield Cemetery",
                                      "Calvary Cemetery",
                                      "Church Columbarium",
                                      "Fort Snelling National Cemetery",
                                      "Evergreen Cemetery"};
    return names;
}

const QStringList& WorshipInstructions() {
    static const QStringList lines = {
        "Baptism at this service: fill the font before the prelude.",
        "Communion by intinction; gluten-free wafers on the credence table.",
        "Choir processes from the narthex.",
        "Reserve the front pews for the confirmation class.",
        "Guest preacher; seat the pastor in the chancel.",
        "Special offering for the food shelf.",
        "Handbell choir plays the offertory.",
        "Install the new council members after the sermon.",
        "Candles for the vigil table in the narthex.",
        "Coffee hour hosted by the youth group.",
    };
    return lines;
}

const QStringList& Weather() {
    static const QStringList names = {
        "Sunny",    "Partly cloudy",  "Cloudy",        "Rain",  "Thunderstorms", "Snow",
        "Blizzard", "Cold and clear", "Hot and humid", "Windy", "Fog",           "Freezing rain"};
    return names;
}

const QStringList& TemplateNames() {
    static const QStringList names = {
        "Holy Communion - Setting One",
        "Holy Communion - Setting Two",
        "Service of the Word",
        "Christmas Eve",
        "Christmas Day",
        "Easter Sunday",
        "Ash Wednesday",
        "Maundy Thursday",
        "Good Friday",
        "Easter Vigil",
        "Pentecost",
        "Reformation Sunday",
        "All Saints Sunday",
        "Thanksgiving Eve",
        "Advent Evening Prayer",
        "Lenten Midweek Service",
        "Palm Sunday",
        "Epiphany",
        "Transfiguration",
        "Confirmation Sunday",
        "Youth Sunday",
        "Rally Day",
        "Service of Healing",
        "Holy Baptism",
        "Marriage Service",
        "Funeral Service",
        "Installation of Council",
        "Outdoor Summer Service",
        "New Year's Eve",
        "Blessing of the Animals",
    };
    return names;
}

QStringList TemplateElements(int orderNumber) {
    static const QStringList communion = {
        "Prelude",
        "Welcome and Announcements",
        "Confession and Forgiveness",
        "Gathering Hymn",
        "Greeting",
        "Kyrie",
        "Hymn of Praise",
        "Prayer of the Day",
        "First Reading",
        "Psalm",
        "Second Reading",
        "Gospel Acclamation",
        "Gospel",
        "Sermon",
        "Hymn of the Day",
        "Creed",
        "Prayers of Intercession",
        "Peace",
        "Offering",
        "Offertory",
        "Offering Prayer",
        "Great Thanksgiving",
        "Lord's Prayer",
        "Communion",
        "Post-Communion Canticle",
        "Prayer after Communion",
        "Blessing",
        "Sending Hymn",
        "Dismissal",
        "Postlude",
    };
    static const QStringList word = {
        "Prelude",
        "Welcome",
        "Gathering Hymn",
        "Greeting",
        "Prayer of the Day",
        "First Reading",
        "Psalm",
        "Gospel",
        "Sermon",
        "Hymn of the Day",
        "Apostles' Creed",
        "Prayers of Intercession",
        "Offering",
        "Offertory",
        "Lord's Prayer",
        "Blessing",
        "Sending Hymn",
        "Postlude",
    };
    static const QStringList occasional = {
        "Prelude",       "Welcome",  "Opening Hymn", "Greeting", "Prayer",   "Reading",
        "Psalm",         "Gospel",   "Homily",       "Hymn",     "The Rite", "Prayers",
        "Lord's Prayer", "Blessing", "Closing Hymn", "Postlude",
    };
    QStringList elements;
    if (orderNumber == 3 || orderNumber == 15 || orderNumber == 16 || orderNumber == 28)
        elements = word;
    else if (orderNumber >= 23 && orderNumber <= 27)
        elements = occasional;
    else
        elements = communion;
    if (orderNumber == 2)
        elements[5] = "Gloria";
    if (orderNumber == 9) {
        elements[22] = "Solemn Reproaches";
        elements[23] = "Stripping of the Altar";
    }
    return elements;
}

} // namespace SampleNames
