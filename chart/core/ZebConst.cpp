#include "chart/core/ZebConst.h"

String TxtLineBreak;
String TxtTest;
String TxtFirstLegendValueMustBe;
String TxtLegendColorWidthMustBe;
String TxtNoParentChartToValidateDataSource;
String TxtNoValidDataSource;
String TxtDateTimeAxisCannotBeLogarithmic;
String TxtLogarithmicAxisMinAndMax;
String TxtLabelsSeparationMustBeGreater;
String TxtAxisIncrementMustBe0;
String TxtAxisMinimumValueMustBe;
String TxtAxisMaximumValueMustBe;
String TxtAxisLogarithmicBaseShouldBe;
String TxtMaxPointsPerPageMustBe0;
String TxtCircularSeriesDependencesAreNot;
String TxtValueOfTotal;
String TxtValueOfTotalTwoLines;
String TxtPercentFormat;
String TxtValueFormat;
String TxtExponentFormat;
String TxtAxisTitle;
String TxtAxisLabels;
String TxtRefreshIntervalMustBeBetween;
String TxtSeriesParentChartIsNotMyself;
String TxtLine;
String TxtPoint;
String TxtArea;
String TxtBar;
String TxtHorizontalBar;
String TxtStack;
String TxtPie;
String TxtCircled;
String TxtFastLine;
String TxtHorizontalLine;
String TxtCars;
String TxtPhones;
String TxtTables;
String TxtMonitors;
String TxtLamps;
String TxtKeyboards;
String TxtBikes;
String TxtChairs;
String TxtCourierNew;
String TxtEditing;
String TxtStandard;
String TxtExtended;
String TxtFunctions;
String TxtEditChart;
String TxtPrintPreview;
String TxtExportChart;
String TxtCustomAxes;
String TxtInvalidEditorClass;
String TxtHasNoEditorDialog;
String TxtArrow;
String TxtFinish;
String TxtNext;
String TxtGantt;
String TxtDesign;
String TxtPrototyping;
String TxtDevelopment;
String TxtSales;
String TxtMarketing;
String TxtTesting;
String TxtManufac;
String TxtDebugging;
String TxtNewVersion;
String TxtBanking;
String TxtChangeSeriesTitle;
String TxtNewSeriesTitle;
String TxtDateTime;
String TxtTopAxis;
String TxtBottomAxis;
String TxtLeftAxis;
String TxtRightAxis;
String TxtDelete;
String TxtDateTimeFormat;
String TxtDefault;
String TxtValuesFormat;
String TxtMaximum;
String TxtMinimum;
String TxtDesiredIncrement;
String TxtIncorrectValueReason;
String TxtEnterNumberOfDaysHh;
String TxtApplyChanges;
String TxtSelectedSeries;
String TxtRefreshData;
String Txt8;
String Txt414;
String Txt347;
String TxtAdd;
String TxtSubtract;
String TxtMultiply;
String TxtDivide;
String TxtHigh;
String TxtLow;
String TxtAverage;
String TxtShape;
String TxtBubble;
String TxtCopy;
String TxtNone;
String TxtPrivateDeclarations;
String TxtPublicDeclarations;
String TxtArial;
String TxtPointerSizeMustBeGreater;
String TxtAdditional;
String TxtDataControls;
String TxtQReport;
String TxtDataset;
String TxtDataset2;
String TxtSingleRecord;
String TxtDataSource;
String TxtSummary;
String TxtFunctionPeriodShouldBe0;
String TxtBusiness;
String TxtZebgraphWizard;
String TxtClear;
String TxtBrowse;
String TxtAreYouSureThatYou;
String TxtFieldDoesNotExist;
String TxtDepthRight;
String TxtOther;
String TxtAbc;
String Txt123;
String TxtX;
String TxtY;
String TxtPie2;
String TxtBar2;
String TxtAngle;
String TxtStart;
String TxtEnd;
String TxtNextTask;
String TxtRadius;
String TxtEndX;
String TxtEndY;
String TxtLegend;
String TxtTitle;
String TxtFooter;
String TxtPeriod;
String TxtPeriodRange;
String TxtCalculateEvery;
String TxtSmallDots;
String TxtInvalidChartInZebFile;
String TxtWrongZebFileFormat;
String TxtEmptyZebFile;
String TxtChartAxes;
String TxtChartAxesPropertiesAndEvents;
String TxtChartWalls;
String TxtChartWallsPropertiesAndEvents;
String TxtChartTitles;
String TxtChartTitlesPropertiesAndEvents;
String TxtChart3D;
String TxtChart3DPropertiesAndEvents;
String TxtCustom;
String TxtSeries;
String TxtSeries2;
String TxtPageOf;
String TxtBytes;
String TxtFirst;
String TxtPrior;
String TxtNext2;
String TxtLast;
String TxtInsert;
String TxtDelete2;
String TxtEdit;
String TxtPost;
String TxtCancel;
String TxtAll;
String TxtIndex;
String TxtText;
String TxtAsBitmap;
String TxtBitmapsBmpBmp;
String TxtAsMetafile;
String TxtEnhancedMetafilesEmfEmfMetafiles;
String TxtPanelPropertyIsNotSet;
String TxtNormal;
String TxtNoBorder;
String TxtDotted;
String TxtColors;
String TxtFilled;
String TxtMarks;
String TxtStairs;
String TxtPoints;
String TxtHeight;
String TxtHollow;
String TxtPoint2D;
String TxtTriangle;
String TxtStar;
String TxtCircle;
String TxtDownTri;
String TxtCross;
String TxtDiamond;
String TxtNoLines;
String TxtStack100;
String TxtPyramid;
String TxtEllipse;
String TxtInvPyramid;
String TxtSides;
String TxtSideAll;
String TxtPatterns;
String TxtExploded;
String TxtShadow;
String TxtSemiPie;
String TxtRectangle;
String TxtVertLine;
String TxtHorizLine;
String TxtLine2;
String TxtCube;
String TxtDiagCross;
String TxtCanNotFindTempFolder;
String TxtCanNotCreateTempFile;
String TxtCanNotEmailZebgraphMapi;
String TxtSeriesDeleteValueIndexOutOf;
String TxtNoSeriesSelected;
String TxtErrorCodeDownloadingChartFrom;
String TxtErrorCodeDownloadingSeriesData;
String TxtAsJpeg;
String TxtJpegFilesJpgJpg;
String TxtAsGif;
String TxtGifFilesGifGif;
String TxtAsPng;
String TxtPngFilesPngPng;
String TxtAsPcx;
String TxtPcxFilesPcxPcx;
String TxtAsVmlHtm;
String TxtVmlFilesHtmHtm;
String TxtLanguage;
String TxtTextFile;
String TxtGradient;
String TxtDoYouWantToSave;
String TxtZebgraphFiles;
String TxtProperty;
String TxtValue;
String TxtYes;
String TxtNo;
String TxtImage;
String TxtYFX;
String TxtAsPdf;
String TxtPdfFilesPdfPdf;
String TxtAsPostScript;
String TxtPostScriptFilesEpsEps;
String TxtHorizontalArea;
String TxtSelfStacked;
String TxtDarkBorder;
String TxtSelectFolder;
String TxtAlias;
String TxtConnection;
String TxtApply;
String TxtAddNewGroup;
String TxtChangeGroupName;
String TxtGroupName;
String TxtMedian;
String TxtMode;
String TxtOptions;
String TxtDepthTop;
String Txt2D;
String TxtOutline;
String TxtSpaceDelimitedTextFilesTxt;
String TxtTabDelimitedTextFilesTxt;
String TxtCommaDelimitedTextFilesCsv;
String TxtColonDelimitedTextFilesTxt;
String TxtCustomDelimitedTextFilesTxt;
String TxtXmlFilesXmlXml;
String TxtHtmlFilesHtmHtm;
String TxtMicrosoftExcelFilesXlsXls;
String TxtOrthoRight;
String TxtOrthoLeft;
String Txt3DFront;
String Txt3DRight;
String Txt3DLeft;
String TxtAsSvg;
String TxtSvgFilesSvgSvg;
String TxtSubTitle;
String TxtSubFoot;
String TxtSubset;
String TxtHexagon;
String TxtAntialias;
String TxtPercent;
String TxtSmooth;
String TxtBlur;
String TxtWidth;
String TxtResize;
String TxtLeft;
String TxtTop;
String TxtCrop;
String TxtInvert;
String TxtGrayScale;
String TxtMosaic;
String TxtFlip;
String TxtReverse;
String TxtBrightness;
String TxtColor;
String TxtHueLumSat;
String TxtSharpen;
String TxtGammaCorrection;
String TxtEmboss;
String TxtContrast;
String TxtRotate;
String TxtBack;
String TxtAutosize;
String TxtMirror;
String TxtColumns;
String TxtRows;
String TxtTile;
String TxtBevel;
String TxtZoom;
String TxtDefault2;
String TxtZebgraph;
String TxtExcel;
String TxtVictorian;
String TxtPastels;
String TxtSolid;
String TxtClassic;
String TxtWeb;
String TxtModern;
String TxtRainbow;
String TxtWinXP;
String TxtMacOS;
String TxtWinVista;
String TxtGrayScale2;
String TxtOpera;
String TxtWarm;
String TxtCool;
String TxtFilters;
String TxtCrossTab;
String TxtSummaryProperties;
String TxtAsFlexFlash;
String TxtFlexFlashFilesMxmlMxml;
String TxtAsXamlWpf;
String TxtXamlFilesXamlXaml;
String TxtSelectTemporaryFolder;
String TxtSelectFolderWithAdobeFlex;
String TxtDegreeSymbol;
String TxtNewChart;
String TxtRenameChart;
String TxtChartName;
String TxtSelectTextFile;
String TxtSaveAsTextFile;
String TxtRecordVideo;
String TxtChangeToolName;
String TxtNewToolName;
String TxtChange;
String TxtTernary;
String TxtWeighting;
String TxtDpi;
String TxtImageDpiSettingFailedInvalid;
String TxtBlackIsBack;
String TxtSpeed;
String TxtRadius2;
String TxtWeight;
String TxtChangeAnimationName;
String TxtNewAnimationName;
String TxtAll2;
String TxtExpand;
String TxtExpandsAChartObjectBy;
String TxtSmoothing;
String TxtLegendTitle;
String TxtRgb;
String TxtHls;
String TxtSearch;
String TxtErrorPoint;
String TxtErrorPoint3D;
String TxtVolume;
String TxtOneOfTheSeriesTypes;
String TxtAsHtml5JScript;
String TxtHtml5FilesHtmlHtmlJavaScript;
String TxtMetro;
String TxtAsHtml5Canvas;
String TxtHtml5FilesHtmHtm;
String TxtIOS;
String TxtServerError;
String TxtThanksForYourHelp;
String TxtSend;
String TxtJsonFilesJsonJson;
String TxtOpenDocumentSpreadsheetFilesOdsOds;
String TxtItem;
String TxtAndroid;
String TxtConcentric;
String TxtAnimate;
String TxtStop;
String TxtAnimation;
String TxtRandomPoints;
String TxtPareto;
String TxtCentroid;
String TxtDonut;
String TxtData;
String TxtProgressiveLines;
String TxtSeriesTransition;
String TxtSeriesAnimation;
String TxtAnimateSeriesPoints;
String TxtColorReplacer;
String TxtEqualize;
String TxtSobel;
String TxtSepia;
String TxtLookout;
String TxtSeawash;
String TxtStackedBars;
String TxtLineAndPoint;
String TxtConcentricDonuts;
String TxtExcelFileEmpty;
String TxtExcel2;
String TxtExcelWorkSheetMustBeSpecified;
String TxtRangeMustBeSpecifiedIe;
String TxtActivity;
String TxtActivityGauge;
String TxtEqualizerSeries;

namespace {
bool started = false;

String* const allTexts[] = {
    &TxtLineBreak,
    &TxtTest,
    &TxtFirstLegendValueMustBe,
    &TxtLegendColorWidthMustBe,
    &TxtNoParentChartToValidateDataSource,
    &TxtNoValidDataSource,
    &TxtDateTimeAxisCannotBeLogarithmic,
    &TxtLogarithmicAxisMinAndMax,
    &TxtLabelsSeparationMustBeGreater,
    &TxtAxisIncrementMustBe0,
    &TxtAxisMinimumValueMustBe,
    &TxtAxisMaximumValueMustBe,
    &TxtAxisLogarithmicBaseShouldBe,
    &TxtMaxPointsPerPageMustBe0,
    &TxtCircularSeriesDependencesAreNot,
    &TxtValueOfTotal,
    &TxtValueOfTotalTwoLines,
    &TxtPercentFormat,
    &TxtValueFormat,
    &TxtExponentFormat,
    &TxtAxisTitle,
    &TxtAxisLabels,
    &TxtRefreshIntervalMustBeBetween,
    &TxtSeriesParentChartIsNotMyself,
    &TxtLine,
    &TxtPoint,
    &TxtArea,
    &TxtBar,
    &TxtHorizontalBar,
    &TxtStack,
    &TxtPie,
    &TxtCircled,
    &TxtFastLine,
    &TxtHorizontalLine,
    &TxtCars,
    &TxtPhones,
    &TxtTables,
    &TxtMonitors,
    &TxtLamps,
    &TxtKeyboards,
    &TxtBikes,
    &TxtChairs,
    &TxtCourierNew,
    &TxtEditing,
    &TxtStandard,
    &TxtExtended,
    &TxtFunctions,
    &TxtEditChart,
    &TxtPrintPreview,
    &TxtExportChart,
    &TxtCustomAxes,
    &TxtInvalidEditorClass,
    &TxtHasNoEditorDialog,
    &TxtArrow,
    &TxtFinish,
    &TxtNext,
    &TxtGantt,
    &TxtDesign,
    &TxtPrototyping,
    &TxtDevelopment,
    &TxtSales,
    &TxtMarketing,
    &TxtTesting,
    &TxtManufac,
    &TxtDebugging,
    &TxtNewVersion,
    &TxtBanking,
    &TxtChangeSeriesTitle,
    &TxtNewSeriesTitle,
    &TxtDateTime,
    &TxtTopAxis,
    &TxtBottomAxis,
    &TxtLeftAxis,
    &TxtRightAxis,
    &TxtDelete,
    &TxtDateTimeFormat,
    &TxtDefault,
    &TxtValuesFormat,
    &TxtMaximum,
    &TxtMinimum,
    &TxtDesiredIncrement,
    &TxtIncorrectValueReason,
    &TxtEnterNumberOfDaysHh,
    &TxtApplyChanges,
    &TxtSelectedSeries,
    &TxtRefreshData,
    &Txt8,
    &Txt414,
    &Txt347,
    &TxtAdd,
    &TxtSubtract,
    &TxtMultiply,
    &TxtDivide,
    &TxtHigh,
    &TxtLow,
    &TxtAverage,
    &TxtShape,
    &TxtBubble,
    &TxtCopy,
    &TxtNone,
    &TxtPrivateDeclarations,
    &TxtPublicDeclarations,
    &TxtArial,
    &TxtPointerSizeMustBeGreater,
    &TxtAdditional,
    &TxtDataControls,
    &TxtQReport,
    &TxtDataset,
    &TxtDataset2,
    &TxtSingleRecord,
    &TxtDataSource,
    &TxtSummary,
    &TxtFunctionPeriodShouldBe0,
    &TxtBusiness,
    &TxtZebgraphWizard,
    &TxtClear,
    &TxtBrowse,
    &TxtAreYouSureThatYou,
    &TxtFieldDoesNotExist,
    &TxtDepthRight,
    &TxtOther,
    &TxtAbc,
    &Txt123,
    &TxtX,
    &TxtY,
    &TxtPie2,
    &TxtBar2,
    &TxtAngle,
    &TxtStart,
    &TxtEnd,
    &TxtNextTask,
    &TxtRadius,
    &TxtEndX,
    &TxtEndY,
    &TxtLegend,
    &TxtTitle,
    &TxtFooter,
    &TxtPeriod,
    &TxtPeriodRange,
    &TxtCalculateEvery,
    &TxtSmallDots,
    &TxtInvalidChartInZebFile,
    &TxtWrongZebFileFormat,
    &TxtEmptyZebFile,
    &TxtChartAxes,
    &TxtChartAxesPropertiesAndEvents,
    &TxtChartWalls,
    &TxtChartWallsPropertiesAndEvents,
    &TxtChartTitles,
    &TxtChartTitlesPropertiesAndEvents,
    &TxtChart3D,
    &TxtChart3DPropertiesAndEvents,
    &TxtCustom,
    &TxtSeries,
    &TxtSeries2,
    &TxtPageOf,
    &TxtBytes,
    &TxtFirst,
    &TxtPrior,
    &TxtNext2,
    &TxtLast,
    &TxtInsert,
    &TxtDelete2,
    &TxtEdit,
    &TxtPost,
    &TxtCancel,
    &TxtAll,
    &TxtIndex,
    &TxtText,
    &TxtAsBitmap,
    &TxtBitmapsBmpBmp,
    &TxtAsMetafile,
    &TxtEnhancedMetafilesEmfEmfMetafiles,
    &TxtPanelPropertyIsNotSet,
    &TxtNormal,
    &TxtNoBorder,
    &TxtDotted,
    &TxtColors,
    &TxtFilled,
    &TxtMarks,
    &TxtStairs,
    &TxtPoints,
    &TxtHeight,
    &TxtHollow,
    &TxtPoint2D,
    &TxtTriangle,
    &TxtStar,
    &TxtCircle,
    &TxtDownTri,
    &TxtCross,
    &TxtDiamond,
    &TxtNoLines,
    &TxtStack100,
    &TxtPyramid,
    &TxtEllipse,
    &TxtInvPyramid,
    &TxtSides,
    &TxtSideAll,
    &TxtPatterns,
    &TxtExploded,
    &TxtShadow,
    &TxtSemiPie,
    &TxtRectangle,
    &TxtVertLine,
    &TxtHorizLine,
    &TxtLine2,
    &TxtCube,
    &TxtDiagCross,
    &TxtCanNotFindTempFolder,
    &TxtCanNotCreateTempFile,
    &TxtCanNotEmailZebgraphMapi,
    &TxtSeriesDeleteValueIndexOutOf,
    &TxtNoSeriesSelected,
    &TxtErrorCodeDownloadingChartFrom,
    &TxtErrorCodeDownloadingSeriesData,
    &TxtAsJpeg,
    &TxtJpegFilesJpgJpg,
    &TxtAsGif,
    &TxtGifFilesGifGif,
    &TxtAsPng,
    &TxtPngFilesPngPng,
    &TxtAsPcx,
    &TxtPcxFilesPcxPcx,
    &TxtAsVmlHtm,
    &TxtVmlFilesHtmHtm,
    &TxtLanguage,
    &TxtTextFile,
    &TxtGradient,
    &TxtDoYouWantToSave,
    &TxtZebgraphFiles,
    &TxtProperty,
    &TxtValue,
    &TxtYes,
    &TxtNo,
    &TxtImage,
    &TxtYFX,
    &TxtAsPdf,
    &TxtPdfFilesPdfPdf,
    &TxtAsPostScript,
    &TxtPostScriptFilesEpsEps,
    &TxtHorizontalArea,
    &TxtSelfStacked,
    &TxtDarkBorder,
    &TxtSelectFolder,
    &TxtAlias,
    &TxtConnection,
    &TxtApply,
    &TxtAddNewGroup,
    &TxtChangeGroupName,
    &TxtGroupName,
    &TxtMedian,
    &TxtMode,
    &TxtOptions,
    &TxtDepthTop,
    &Txt2D,
    &TxtOutline,
    &TxtSpaceDelimitedTextFilesTxt,
    &TxtTabDelimitedTextFilesTxt,
    &TxtCommaDelimitedTextFilesCsv,
    &TxtColonDelimitedTextFilesTxt,
    &TxtCustomDelimitedTextFilesTxt,
    &TxtXmlFilesXmlXml,
    &TxtHtmlFilesHtmHtm,
    &TxtMicrosoftExcelFilesXlsXls,
    &TxtOrthoRight,
    &TxtOrthoLeft,
    &Txt3DFront,
    &Txt3DRight,
    &Txt3DLeft,
    &TxtAsSvg,
    &TxtSvgFilesSvgSvg,
    &TxtSubTitle,
    &TxtSubFoot,
    &TxtSubset,
    &TxtHexagon,
    &TxtAntialias,
    &TxtPercent,
    &TxtSmooth,
    &TxtBlur,
    &TxtWidth,
    &TxtResize,
    &TxtLeft,
    &TxtTop,
    &TxtCrop,
    &TxtInvert,
    &TxtGrayScale,
    &TxtMosaic,
    &TxtFlip,
    &TxtReverse,
    &TxtBrightness,
    &TxtColor,
    &TxtHueLumSat,
    &TxtSharpen,
    &TxtGammaCorrection,
    &TxtEmboss,
    &TxtContrast,
    &TxtRotate,
    &TxtBack,
    &TxtAutosize,
    &TxtMirror,
    &TxtColumns,
    &TxtRows,
    &TxtTile,
    &TxtBevel,
    &TxtZoom,
    &TxtDefault2,
    &TxtZebgraph,
    &TxtExcel,
    &TxtVictorian,
    &TxtPastels,
    &TxtSolid,
    &TxtClassic,
    &TxtWeb,
    &TxtModern,
    &TxtRainbow,
    &TxtWinXP,
    &TxtMacOS,
    &TxtWinVista,
    &TxtGrayScale2,
    &TxtOpera,
    &TxtWarm,
    &TxtCool,
    &TxtFilters,
    &TxtCrossTab,
    &TxtSummaryProperties,
    &TxtAsFlexFlash,
    &TxtFlexFlashFilesMxmlMxml,
    &TxtAsXamlWpf,
    &TxtXamlFilesXamlXaml,
    &TxtSelectTemporaryFolder,
    &TxtSelectFolderWithAdobeFlex,
    &TxtDegreeSymbol,
    &TxtNewChart,
    &TxtRenameChart,
    &TxtChartName,
    &TxtSelectTextFile,
    &TxtSaveAsTextFile,
    &TxtRecordVideo,
    &TxtChangeToolName,
    &TxtNewToolName,
    &TxtChange,
    &TxtTernary,
    &TxtWeighting,
    &TxtDpi,
    &TxtImageDpiSettingFailedInvalid,
    &TxtBlackIsBack,
    &TxtSpeed,
    &TxtRadius2,
    &TxtWeight,
    &TxtChangeAnimationName,
    &TxtNewAnimationName,
    &TxtAll2,
    &TxtExpand,
    &TxtExpandsAChartObjectBy,
    &TxtSmoothing,
    &TxtLegendTitle,
    &TxtRgb,
    &TxtHls,
    &TxtSearch,
    &TxtErrorPoint,
    &TxtErrorPoint3D,
    &TxtVolume,
    &TxtOneOfTheSeriesTypes,
    &TxtAsHtml5JScript,
    &TxtHtml5FilesHtmlHtmlJavaScript,
    &TxtMetro,
    &TxtAsHtml5Canvas,
    &TxtHtml5FilesHtmHtm,
    &TxtIOS,
    &TxtServerError,
    &TxtThanksForYourHelp,
    &TxtSend,
    &TxtJsonFilesJsonJson,
    &TxtOpenDocumentSpreadsheetFilesOdsOds,
    &TxtItem,
    &TxtAndroid,
    &TxtConcentric,
    &TxtAnimate,
    &TxtStop,
    &TxtAnimation,
    &TxtRandomPoints,
    &TxtPareto,
    &TxtCentroid,
    &TxtDonut,
    &TxtData,
    &TxtProgressiveLines,
    &TxtSeriesTransition,
    &TxtSeriesAnimation,
    &TxtAnimateSeriesPoints,
    &TxtColorReplacer,
    &TxtEqualize,
    &TxtSobel,
    &TxtSepia,
    &TxtLookout,
    &TxtSeawash,
    &TxtStackedBars,
    &TxtLineAndPoint,
    &TxtConcentricDonuts,
    &TxtExcelFileEmpty,
    &TxtExcel2,
    &TxtExcelWorkSheetMustBeSpecified,
    &TxtRangeMustBeSpecifiedIe,
    &TxtActivity,
    &TxtActivityGauge,
    &TxtEqualizerSeries,
};
}  // namespace

void AssignBaseTexts()
{
    TxtTest = "Test...";
    TxtFirstLegendValueMustBe = "First Legend Value must be > 0";
    TxtLegendColorWidthMustBe = "Legend Color Width must be > 0%";
    TxtNoParentChartToValidateDataSource = "No ParentChart to validate DataSource";
    TxtNoValidDataSource = "No valid DataSource: %s";
    TxtDateTimeAxisCannotBeLogarithmic = "DateTime Axis cannot be Logarithmic";
    TxtLogarithmicAxisMinAndMax = "Logarithmic Axis Min and Max values should be >= 0";
    TxtLabelsSeparationMustBeGreater = "Labels Separation % must be greater than 0";
    TxtAxisIncrementMustBe0 = "Axis increment must be >= 0";
    TxtAxisMinimumValueMustBe = "Axis Minimum Value must be <= Maximum";
    TxtAxisMaximumValueMustBe = "Axis Maximum Value must be >= Minimum";
    TxtAxisLogarithmicBaseShouldBe = "Axis Logarithmic Base should be <> 1 and > 0";
    TxtMaxPointsPerPageMustBe0 = "MaxPointsPerPage must be >= 0";
    TxtCircularSeriesDependencesAreNot = "Circular Series dependences are not allowed";
    TxtValueOfTotal = "%s of %s";
    TxtValueOfTotalTwoLines = String("%s") + TxtLineBreak + "of %s";
    TxtPercentFormat = "##0.## %";
    TxtValueFormat = "#,##0.###";
    TxtExponentFormat = "#.0 \"x10\" E+0";
    TxtAxisTitle = "Axis Title";
    TxtAxisLabels = "Axis Labels";
    TxtRefreshIntervalMustBeBetween = "Refresh Interval must be between 0 and 60";
    TxtSeriesParentChartIsNotMyself = "Series.ParentChart is not myself!";
    TxtLine = "Line";
    TxtPoint = "Point";
    TxtArea = "Area";
    TxtBar = "Bar";
    TxtHorizontalBar = String("Horizontal") + TxtLineBreak + "Bar";
    TxtStack = "Stack";
    TxtPie = "Pie";
    TxtCircled = "Circled";
    TxtFastLine = "Fast Line";
    TxtHorizontalLine = String("Horizontal") + TxtLineBreak + "Line";
    TxtCars = "Cars";
    TxtPhones = "Phones";
    TxtTables = "Tables";
    TxtMonitors = "Monitors";
    TxtLamps = "Lamps";
    TxtKeyboards = "Keyboards";
    TxtBikes = "Bikes";
    TxtChairs = "Chairs";
    TxtCourierNew = "Courier New";
    TxtEditing = "Editing %s";
    TxtStandard = "Standard";
    TxtExtended = "Extended";
    TxtFunctions = "Functions";
    TxtEditChart = "E&dit Chart...";
    TxtPrintPreview = "&Print Preview...";
    TxtExportChart = "E&xport Chart...";
    TxtCustomAxes = "Custom Axes...";
    TxtInvalidEditorClass = "%s: Invalid Editor Class: %s";
    TxtHasNoEditorDialog = "%s: has no Editor Dialog";
    TxtArrow = "Arrow";
    TxtFinish = "&Finish";
    TxtNext = "&Next >";
    TxtGantt = "Gantt";
    TxtDesign = "Design";
    TxtPrototyping = "Prototyping";
    TxtDevelopment = "Development";
    TxtSales = "Sales";
    TxtMarketing = "Marketing";
    TxtTesting = "Testing";
    TxtManufac = "Manufac.";
    TxtDebugging = "Debugging";
    TxtNewVersion = "New Version";
    TxtBanking = "Banking";
    TxtChangeSeriesTitle = "Change Series Title";
    TxtNewSeriesTitle = "New Series Title:";
    TxtDateTime = "DateTime";
    TxtTopAxis = "Top Axis";
    TxtBottomAxis = "Bottom Axis";
    TxtLeftAxis = "Left Axis";
    TxtRightAxis = "Right Axis";
    TxtDelete = "Delete %s ?";
    TxtDateTimeFormat = "DateTime For&mat:";
    TxtDefault = "Default";
    TxtValuesFormat = "Values For&mat:";
    TxtMaximum = "Maximum";
    TxtMinimum = "Minimum";
    TxtDesiredIncrement = "Desired %s Increment";
    TxtIncorrectValueReason = "Incorrect value. Reason: %s";
    TxtEnterNumberOfDaysHh = "Enter [Number of Days] [hh:nn:ss]";
    TxtApplyChanges = "Apply Changes ?";
    TxtSelectedSeries = "(Selected Series)";
    TxtRefreshData = "&Refresh Data";
    Txt8 = "8";
    Txt414 = "414";
    Txt347 = "347";
    TxtAdd = "Add";
    TxtSubtract = "Subtract";
    TxtMultiply = "Multiply";
    TxtDivide = "Divide";
    TxtHigh = "High";
    TxtLow = "Low";
    TxtAverage = "Average";
    TxtShape = "Shape";
    TxtBubble = "Bubble";
    TxtCopy = "Copy";
    TxtNone = "(none)";
    TxtPrivateDeclarations = "{ Private declarations }";
    TxtPublicDeclarations = "{ Public declarations }";
    TxtArial = "Arial";
    TxtPointerSizeMustBeGreater = "Pointer size must be greater than zero";
    TxtAdditional = "Additional";
    TxtDataControls = "Data Controls";
    TxtQReport = "QReport";
    TxtDataset = "Dataset";
    TxtDataset2 = "&Dataset:";
    TxtSingleRecord = "Single Record";
    TxtDataSource = "&DataSource:";
    TxtSummary = "Summary";
    TxtFunctionPeriodShouldBe0 = "Function Period should be >= 0";
    TxtBusiness = "Business";
    TxtZebgraphWizard = "Zebgraph Wizard";
    TxtClear = "Clea&r";
    TxtBrowse = "B&rowse...";
    TxtAreYouSureThatYou = "Are you sure that you want to close the Zebgraph Wizard ?";
    TxtFieldDoesNotExist = "Field %s does not exist";
    TxtDepthRight = "Depth Right";
    TxtOther = "Other";
    TxtAbc = "abc";
    Txt123 = "123";
    TxtX = "X";
    TxtY = "Y";
    TxtPie2 = "Pie";
    TxtBar2 = "Bar";
    TxtAngle = "Angle";
    TxtStart = "Start";
    TxtEnd = "End";
    TxtNextTask = "NextTask";
    TxtRadius = "Radius";
    TxtEndX = "EndX";
    TxtEndY = "EndY";
    TxtLegend = "Legend";
    TxtTitle = "Title";
    TxtFooter = "Footer";
    TxtPeriod = "Period";
    TxtPeriodRange = "Period range";
    TxtCalculateEvery = "Calculate %s every:";
    TxtSmallDots = "Small Dots";
    TxtInvalidChartInZebFile = String("Invalid Chart in *.") + ChartFileExtension + " file";
    TxtWrongZebFileFormat = String("Wrong *.") + ChartFileExtension + " file format";
    TxtEmptyZebFile = String("Empty *.") + ChartFileExtension + " file";
    TxtChartAxes = "Chart Axes";
    TxtChartAxesPropertiesAndEvents = "Chart Axes properties and events";
    TxtChartWalls = "Chart Walls";
    TxtChartWallsPropertiesAndEvents = "Chart Walls properties and events";
    TxtChartTitles = "Chart Titles";
    TxtChartTitlesPropertiesAndEvents = "Chart Titles properties and events";
    TxtChart3D = "Chart 3D";
    TxtChart3DPropertiesAndEvents = "Chart 3D properties and events";
    TxtCustom = "Custom ";
    TxtSeries = "Series";
    TxtSeries2 = "Series...";
    TxtPageOf = "Page %d of %d";
    TxtBytes = "%d bytes";
    TxtFirst = "First";
    TxtPrior = "Prior";
    TxtNext2 = "Next";
    TxtLast = "Last";
    TxtInsert = "Insert";
    TxtDelete2 = "Delete";
    TxtEdit = "Edit";
    TxtPost = "Post";
    TxtCancel = "Cancel";
    TxtAll = "(all)";
    TxtIndex = "Index";
    TxtText = "Text";
    TxtAsBitmap = "as &Bitmap";
    TxtBitmapsBmpBmp = "Bitmaps (*.bmp)|*.bmp";
    TxtAsMetafile = "as &Metafile";
    TxtEnhancedMetafilesEmfEmfMetafiles = "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
    TxtPanelPropertyIsNotSet = "Panel property is not set in Export format";
    TxtNormal = "Normal";
    TxtNoBorder = "No Border";
    TxtDotted = "Dotted";
    TxtColors = "Colors";
    TxtFilled = "Filled";
    TxtMarks = "Marks";
    TxtStairs = "Stairs";
    TxtPoints = "Points";
    TxtHeight = "Height";
    TxtHollow = "Hollow";
    TxtPoint2D = "Point 2D";
    TxtTriangle = "Triangle";
    TxtStar = "Star";
    TxtCircle = "Circle";
    TxtDownTri = "Down Tri.";
    TxtCross = "Cross";
    TxtDiamond = "Diamond";
    TxtNoLines = "No Lines";
    TxtStack100 = "Stack 100%";
    TxtPyramid = "Pyramid";
    TxtEllipse = "Ellipse";
    TxtInvPyramid = "Inv. Pyramid";
    TxtSides = "Sides";
    TxtSideAll = "Side All";
    TxtPatterns = "Patterns";
    TxtExploded = "Exploded";
    TxtShadow = "Shadow";
    TxtSemiPie = "Semi Pie";
    TxtRectangle = "Rectangle";
    TxtVertLine = "Vert.Line";
    TxtHorizLine = "Horiz.Line";
    TxtLine2 = "Line";
    TxtCube = "Cube";
    TxtDiagCross = "Diag.Cross";
    TxtCanNotFindTempFolder = "Can not find Temp folder";
    TxtCanNotCreateTempFile = "Can not create Temp file";
    TxtCanNotEmailZebgraphMapi = "Can not email Zebgraph. Mapi Error: %d";
    TxtSeriesDeleteValueIndexOutOf = "Series Delete: ValueIndex %d out of bounds (0 to %d).";
    TxtNoSeriesSelected = "No Series selected";
    TxtErrorCodeDownloadingChartFrom = "Error code: %d downloading Chart from URL: %s";
    TxtErrorCodeDownloadingSeriesData = "Error code: %d downloading Series data from URL: %s";
    TxtAsJpeg = "as &JPEG";
    TxtJpegFilesJpgJpg = "JPEG files (*.jpg)|*.jpg";
    TxtAsGif = "as &GIF";
    TxtGifFilesGifGif = "GIF files (*.gif)|*.gif";
    TxtAsPng = "as &PNG";
    TxtPngFilesPngPng = "PNG files (*.png)|*.png";
    TxtAsPcx = "as PC&X";
    TxtPcxFilesPcxPcx = "PCX files (*.pcx)|*.pcx";
    TxtAsVmlHtm = "as &VML (HTM)";
    TxtVmlFilesHtmHtm = "VML files (*.htm)|*.htm";
    TxtLanguage = "&Language...";
    TxtTextFile = "Text File";
    TxtGradient = "Gradient";
    TxtDoYouWantToSave = "Do you want to save %s?";
    TxtZebgraphFiles = "Zebgraph files";
    TxtProperty = "Property";
    TxtValue = "Value";
    TxtYes = "Yes";
    TxtNo = "No";
    TxtImage = "(image)";
    TxtYFX = "y = f(x)";
    TxtAsPdf = "as &PDF";
    TxtPdfFilesPdfPdf = "PDF files (*.pdf)|*.pdf";
    TxtAsPostScript = "as PostScript";
    TxtPostScriptFilesEpsEps = "PostScript files (*.eps)|*.eps";
    TxtHorizontalArea = String("Horizontal") + TxtLineBreak + "Area";
    TxtSelfStacked = "Self Stacked";
    TxtDarkBorder = "Dark Border";
    TxtSelectFolder = "Select folder";
    TxtAlias = "&Alias:";
    TxtConnection = "&Connection:";
    TxtApply = "&Apply";
    TxtAddNewGroup = "Add new group";
    TxtChangeGroupName = "Change group name";
    TxtGroupName = "Group name:";
    TxtMedian = "Median";
    TxtMode = "Mode";
    TxtOptions = "&Options...";
    TxtDepthTop = "Depth Top";
    Txt2D = "2D";
    TxtOutline = "Outline";
    TxtSpaceDelimitedTextFilesTxt = "Space delimited text files (*.txt)|*.txt";
    TxtTabDelimitedTextFilesTxt = "Tab delimited text files (*.txt)|*.txt";
    TxtCommaDelimitedTextFilesCsv = "Comma delimited text files (*.csv)|*.csv";
    TxtColonDelimitedTextFilesTxt = "Colon delimited text files (*.txt)|*.txt";
    TxtCustomDelimitedTextFilesTxt = "Custom delimited text files (*.txt)|*.txt";
    TxtXmlFilesXmlXml = "XML files (*.xml)|*.xml";
    TxtHtmlFilesHtmHtm = "HTML files (*.htm)|*.htm";
    TxtMicrosoftExcelFilesXlsXls = "Microsoft Excel files(*.xls)|*.xls|Microsoft Excel files (*.xlsx)|*.xlsx";
    TxtOrthoRight = "Ortho Right";
    TxtOrthoLeft = "Ortho Left";
    Txt3DFront = "3D Front";
    Txt3DRight = "3D Right";
    Txt3DLeft = "3D Left";
    TxtAsSvg = "as &SVG";
    TxtSvgFilesSvgSvg = "SVG files (*.svg)|*.svg";
    TxtSubTitle = "SubTitle";
    TxtSubFoot = "SubFoot";
    TxtSubset = "Subset";
    TxtHexagon = "Hexagon";
    TxtAntialias = "Antialias";
    TxtPercent = "Percent";
    TxtSmooth = "Smooth";
    TxtBlur = "Blur";
    TxtWidth = "Width";
    TxtResize = "Resize";
    TxtLeft = "Left";
    TxtTop = "Top";
    TxtCrop = "Crop";
    TxtInvert = "Invert";
    TxtGrayScale = "Gray scale";
    TxtMosaic = "Mosaic";
    TxtFlip = "Flip";
    TxtReverse = "Reverse";
    TxtBrightness = "Brightness";
    TxtColor = "Color";
    TxtHueLumSat = "Hue,Lum,Sat";
    TxtSharpen = "Sharpen";
    TxtGammaCorrection = "Gamma correction";
    TxtEmboss = "Emboss";
    TxtContrast = "Contrast";
    TxtRotate = "Rotate";
    TxtBack = "Back";
    TxtAutosize = "Autosize";
    TxtMirror = "Mirror";
    TxtColumns = "Columns";
    TxtRows = "Rows";
    TxtTile = "Tile";
    TxtBevel = "Bevel";
    TxtZoom = "Zoom";
    TxtDefault2 = "Default";
    TxtZebgraph = "Zebgraph";
    TxtExcel = "Excel";
    TxtVictorian = "Victorian";
    TxtPastels = "Pastels";
    TxtSolid = "Solid";
    TxtClassic = "Classic";
    TxtWeb = "Web";
    TxtModern = "Modern";
    TxtRainbow = "Rainbow";
    TxtWinXP = "Win. XP";
    TxtMacOS = "Mac OS";
    TxtWinVista = "Win. Vista";
    TxtGrayScale2 = "Gray scale";
    TxtOpera = "Opera";
    TxtWarm = "Warm";
    TxtCool = "Cool";
    TxtFilters = "&Filters...";
    TxtCrossTab = "CrossTab";
    TxtSummaryProperties = "Summary properties";
    TxtAsFlexFlash = "as Flex (Flash)";
    TxtFlexFlashFilesMxmlMxml = "Flex Flash files (*.mxml)|*.mxml";
    TxtAsXamlWpf = "as XAML (WPF)";
    TxtXamlFilesXamlXaml = "XAML files (*.xaml)|*.xaml";
    TxtSelectTemporaryFolder = "Select temporary folder";
    TxtSelectFolderWithAdobeFlex = "Select folder with Adobe Flex mxmlc.exe compiler";
    TxtDegreeSymbol = "°";
    TxtNewChart = "New Chart";
    TxtRenameChart = "Rename Chart";
    TxtChartName = "Chart Name:";
    TxtSelectTextFile = "Select text file";
    TxtSaveAsTextFile = "Save as text file";
    TxtRecordVideo = "&Record Video !";
    TxtChangeToolName = "Change tool name";
    TxtNewToolName = "New tool name?";
    TxtChange = "&Change...";
    TxtTernary = "Ternary";
    TxtWeighting = "Weighting";
    TxtDpi = "DPI";
    TxtImageDpiSettingFailedInvalid = "Image DPI setting failed: Invalid identifier";
    TxtBlackIsBack = "BlackIsBack";
    TxtSpeed = "Speed";
    TxtRadius2 = "Radius";
    TxtWeight = "Weight";
    TxtChangeAnimationName = "Change animation name";
    TxtNewAnimationName = "New animation name?";
    TxtAll2 = "All";
    TxtExpand = "Expand";
    TxtExpandsAChartObjectBy = "Expands a chart object by a given size.";
    TxtSmoothing = "Smoothing";
    TxtLegendTitle = "Legend title";
    TxtRgb = "RGB: %s, %s, %s";
    TxtHls = "HLS: %s, %s, %s";
    TxtSearch = "Search";
    TxtErrorPoint = "Error Point";
    TxtErrorPoint3D = "Error Point3D";
    TxtVolume = "Volume";
    TxtOneOfTheSeriesTypes = String("One of the Series Types you have selected") + TxtLineBreak +
                             "is not implemented yet for Javascript.";
    TxtAsHtml5JScript = "as HTML5 &JScript";
    TxtHtml5FilesHtmlHtmlJavaScript = "HTML5 Files (*.html)|*.html|JavaScript Files (*.js)|*.js";
    TxtMetro = "Metro";
    TxtAsHtml5Canvas = "as HTML&5 Canvas";
    TxtHtml5FilesHtmHtm = "HTML5 Files (*.htm)|*.htm";
    TxtIOS = "iOS";
    TxtServerError = "SERVER ERROR";
    TxtThanksForYourHelp = "Thanks for Your Help";
    TxtSend = "&Send";
    TxtJsonFilesJsonJson = "JSON files (*.json)|*.json";
    TxtOpenDocumentSpreadsheetFilesOdsOds = "OpenDocument Spreadsheet files (*.ods)|*.ods";
    TxtItem = "Item";
    TxtAndroid = "Android";
    TxtConcentric = "Concentric";
    TxtAnimate = "&Animate !";
    TxtStop = "Stop";
    TxtAnimation = "Animation";
    TxtRandomPoints = "Random Points";
    TxtPareto = "Pareto";
    TxtCentroid = "Centroid";
    TxtDonut = "Donut";
    TxtData = "Data";
    TxtProgressiveLines = "Progressive Lines";
    TxtSeriesTransition = "Series Transition";
    TxtSeriesAnimation = "Series Animation";
    TxtAnimateSeriesPoints = "Animate Series points";
    TxtColorReplacer = "Color Replacer";
    TxtEqualize = "Equalize";
    TxtSobel = "Sobel";
    TxtSepia = "Sepia";
    TxtLookout = "Lookout";
    TxtSeawash = "Seawash";
    TxtStackedBars = "Stacked Bars";
    TxtLineAndPoint = "Line and Point";
    TxtConcentricDonuts = "Concentric Donuts";
    TxtExcelFileEmpty = "Excel file empty";
    TxtExcel2 = "Excel";
    TxtExcelWorkSheetMustBeSpecified = "Excel WorkSheet must be specified";
    TxtRangeMustBeSpecifiedIe = "Range must be specified. (ie: From A1 to A10)";
    TxtActivity = "Activity";
    TxtActivityGauge = "Activity Gauge";
    TxtEqualizerSeries = "Equalizer Series";
}

void StartMessageTexts()
{
    if (started) return;
    started = true;
    TxtLineBreak = "\r";
    AssignBaseTexts();
}

void StopMessageTexts()
{
    if (!started) return;
    started = false;
    for (String* text : allTexts) text->clear();
}

std::span<String* const> MessageTexts() { return allTexts; }
