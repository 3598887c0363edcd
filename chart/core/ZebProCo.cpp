#include "chart/core/ZebProCo.h"

#include "chart/core/ZebConst.h"

String TxtPolar;
String TxtCandle;
String TxtVolume2;
String TxtSurface;
String TxtContour;
String TxtBezier;
String TxtPoint3D;
String TxtRadar;
String TxtCursor;
String TxtBar3D;
String TxtBigCandle;
String TxtLinePoint;
String TxtHistogram;
String TxtViolin;
String TxtBeeswarm;
String TxtWaterFall;
String TxtWindRose;
String TxtClock;
String TxtColorGrid;
String TxtBoxPlot;
String TxtHorizontalBoxPlot;
String TxtBarJoin;
String TxtSmith;
String TxtPyramid2;
String TxtMap;
String TxtPolynomialDegreeMustBeBetween;
String TxtAnswerVectorIndexMustBe;
String TxtCannotProcessFitting;
String TxtExpAverageWeightMustBeBetween;
String TxtErrorBar;
String TxtError;
String TxtHighLow;
String TxtMomentum;
String TxtMomentumDivision;
String TxtExponentialAverage;
String TxtMovingAverage;
String TxtExpMovingAverage;
String TxtRSI;
String TxtCurveFitting;
String TxtTrend;
String TxtExponentialTrend;
String TxtLogarithmicTrend;
String TxtCumulative;
String TxtStandardDeviation;
String TxtBollingerBands;
String TxtRootMeanSquare;
String TxtMacd;
String TxtStochastic;
String TxtAdx;
String TxtCount;
String TxtOpenZebgraph;
String TxtSaveZebgraph;
String TxtZebgraphProFiles;
String TxtOther2;
String TxtStats;
String TxtMath;
String TxtCannotFindSeriesEditorForm;
String TxtDate;
String TxtOpen;
String TxtHigh2;
String TxtLow2;
String TxtClose;
String TxtOffset;
String TxtStdError;
String TxtGrid3D;
String TxtNumberOfBezierPointsShould;
String TxtNormal2;
String TxtEdit2;
String TxtPrint;
String TxtCopy2;
String TxtSave;
String Txt3D;
String TxtRotationElevation;
String TxtRotate2;
String TxtHorizOffsetVertOffset;
String TxtMove;
String TxtZoom2;
String TxtZoom3;
String Txt3D2;
String TxtDepth;
String TxtChart;
String TxtPanel;
String TxtDragToRotate;
String TxtDragToMove;
String TxtDragToZoom;
String TxtDragToResize3D;
String TxtDragLeftButtonToZoom;
String TxtDragAPieSliceTo;
String TxtSliceExploded;
String TxtNumberOfPointsMustBe;
String TxtAllColinearDataPoints;
String TxtSimilarXyzPointsCannotCalculate;
String TxtTriangleSurf;
String TxtAllSeries;
String TxtFinancial;
String TxtCursor2;
String TxtDragMarks;
String TxtAxisArrows;
String TxtDrawLine;
String TxtNearestPoint;
String TxtColorBand;
String TxtColorLine;
String TxtRotate3;
String TxtImage2;
String TxtMarkTips;
String TxtAnnotation;
String TxtCanNotDeleteAncestor;
String TxtLoad;
String TxtChart2;
String TxtChartSeries;
String Txt3D3;
String TxtSwitch2D3D;
String TxtActive;
String TxtShowHideSeries;
String TxtEditChart2;
String TxtEdit3;
String TxtCopyToClipboard;
String TxtCopy3;
String TxtPrintPreviewChart;
String TxtPrint2;
String TxtShowHideAxes;
String TxtAxes;
String TxtShowHideGrids;
String TxtGrids;
String TxtShowHideLegend;
String TxtLegend2;
String TxtEditSeries;
String TxtShowHideSeriesMarks;
String TxtMarks2;
String TxtSaveChart;
String TxtSave2;
String TxtBar3;
String TxtNoOpen;
String TxtNoClose;
String TxtNoHigh;
String TxtNoLow;
String TxtColorRange;
String TxtWireframe;
String TxtDotFrame;
String TxtPositions;
String TxtNoGrid;
String TxtNoPoint;
String TxtNoLine;
String TxtLabels;
String TxtNoCircle;
String TxtLines;
String TxtBorder;
String TxtResistance;
String TxtReactance;
String TxtColumn;
String TxtSeparator;
String TxtSegment;
String TxtFunnel;
String Txt000;
String TxtExceedsQuota;
String TxtWithinQuota;
String TxtOrMoreBelowQuota;
String TxtCalendar;
String TxtDeltaPoint;
String TxtImagePoint;
String TxtImageBar;
String TxtSeriesTextFieldIndexShouldBe;
String TxtOrigin;
String TxtTransparency;
String TxtBox;
String TxtExtrOut;
String TxtMildOut;
String TxtPageNumber;
String TxtDragPoint;
String TxtOpportunityValues;
String TxtQuoteValues;
String TxtCrossPoints;
String Txt3DGridTranspose;
String TxtCompression;
String TxtExtraLegend;
String TxtCloseLocationValue;
String TxtOnBalanceVolume;
String TxtCommodityChannelIndex;
String TxtVolumeOscillator;
String TxtPointFigure;
String TxtUp;
String TxtDown;
String TxtGanttDrag;
String TxtXmlFile;
String TxtGridBand;
String TxtPerformance;
String TxtGauge;
String TxtGauges;
String TxtEndZ;
String TxtVector3D;
String Txt3D4;
String TxtTower;
String TxtSingleColor;
String TxtCover;
String TxtCone;
String TxtPieSlices;
String TxtExecute;
String TxtThemes;
String Txt2DLighting;
String TxtCurrent;
String TxtCorrelation;
String TxtVariance;
String TxtBubble3D;
String TxtHorizontalHistogram;
String TxtPerimeter;
String TxtSurfaceNearest;
String TxtAxisScroll;
String TxtRectangle2;
String TxtPolarBar;
String TxtWapBitmap;
String TxtWapBitmapsWbmpWbmp;
String TxtClipSeries;
String TxtSeriesBand;
String TxtFacts;
String TxtDownsampling;
String TxtSelector;
String TxtLegendScrollbar;
String TxtVolumePipe;
String TxtDataTable;
String TxtIsoSurface;
String TxtUpToValue;
String TxtNoCompression;
String TxtDarvas;
String TxtVideoCreator;
String TxtCreatesAnAviVideoWith;
String TxtVideoPlayer;
String TxtPlayVideosInsideChartRegions;
String TxtDisplaysDraggableCursorLinesOn;
String TxtDisplaysClickableArrowsAtAxis;
String TxtAllowsDrawingCustomLinesBy;
String TxtDisplaysAGraphicalSignalWhen;
String TxtDisplaysAColouredRectangleBand;
String TxtDisplaysADraggableLineAcross;
String TxtAllowsRotatingChartDraggingWith;
String TxtDisplaysAPictureUsingThe;
String TxtDisplaysTipsOrHintsWhen;
String TxtDisplaysCustomTextAtAny;
String TxtMovesSeriesMarksWhenDragging;
String TxtMovesASeriesPointWhen;
String TxtDisplaysACustomLegendAt;
String TxtAllowsDraggingAndResizingGantt;
String TxtOutlinesOrExpandsPieSlices;
String TxtGridBandToolUseIt;
String TxtExchangesXAndZCoordinates;
String TxtDisplaysCustomTextAtAny2;
String TxtDisplaysA2DimensionalLight;
String TxtDisplaysAVisualIndicationOf;
String TxtAllowsTheScrollingOfAxes;
String TxtAllowsScrollingOfTheChart;
String TxtRestrictsSeriesPaintingOutsideSeries;
String TxtEnablesSelectingAndDraggingChart;
String TxtReportsStatisticalInformationAboutSeries;
String TxtShowsCurrentChartPageNumber;
String TxtTransposeSeries;
String TxtSwapsSeriesRowsAndColumns;
String TxtSwaps3DSeriesXyzCell;
String TxtDisplaysAScrollbarAtChart;
String TxtDisplaysAGridWithSeries;
String TxtFillsTheRegionBetweenTwo;
String TxtRandom;
String TxtPlay;
String TxtHighLowLine;
String TxtMirrored;
String TxtPolarGrid;
String TxtFullScreen;
String TxtShowChartMaximizedToFull;
String TxtMagnify;
String TxtMagnifiesAPortionOfChart;
String TxtStatistics;
String TxtFader;
String TxtFadeInOrFadeOut;
String TxtSubChart;
String TxtMultipleChartsInsideASingle;
String TxtImprovesDisplayOfDiagonalAnd;
String TxtRegion;
String TxtFillsTheRegionBetweenA;
String TxtText3D;
String TxtDisplaysTextWith3DFont;
String TxtBanner;
String TxtScrollingAndBlinkingText;
String TxtNew;
String TxtDelete3;
String TxtRename;
String TxtEdit4;
String TxtViewToolbar;
String TxtRenameChartPage;
String TxtNewName;
String TxtFrame;
String TxtDrawsADecoratingFrameAround;
String TxtHistogram2;
String TxtSummaryProperties2;
String TxtLegendPalette;
String TxtDisplaysLegendMadeWith3D;
String TxtScrollbar;
String TxtOrgChart;
String TxtWorld;
String TxtAfrica;
String TxtAsia;
String TxtAustralia;
String TxtCentralAmerica;
String TxtEurope;
String TxtEurope15;
String TxtEurope28;
String TxtSpain;
String TxtMiddleEast;
String TxtNorthAmerica;
String TxtSouthAmerica;
String TxtUsa;
String TxtUsaAlaska;
String TxtMaps;
String TxtTagCloud;
String TxtRenko;
String TxtKagi;
String TxtNumericGauge;
String TxtCircularGauge;
String TxtLed;
String TxtLinearGauge;
String TxtLink;
String TxtDisplaysClickableTextToNavigate;
String TxtFibonacci;
String TxtDrawsFibonacciArcsAndFans;
String TxtVerticalGauge;
String TxtAviFile;
String TxtSelectAviFileToStore;
String TxtMpegVideoFiles;
String TxtArrow2;
String TxtDrawArrowsAtAnyAngle;
String TxtPercentageChange;
String TxtSlope;
String TxtRose;
String TxtKnobGauge;
String TxtSkewness;
String TxtKurtosis;
String TxtMoneyFlow;
String TxtAtr;
String TxtRvi;
String TxtAwesomeOscillator;
String TxtAcceleratorDecelerator;
String TxtSmoothedMovingAverage;
String TxtAlligator;
String TxtGatorOscillator;
String TxtCustomLegend;
String TxtAllowsToCustomizeAGrid;
String TxtTreeMap;
String TxtAxisBreaks;
String TxtEnablesRemovalOfSpecifiedAxis;
String TxtHorizontal;
String TxtVertical;
String TxtScrollPager;
String TxtCreatesASubChartShowingA;
String TxtEquiVolume;
String TxtVolume3;
String TxtClustering;
String TxtPerformClusteringOnYourData;
String TxtRepaintMonitor;
String TxtDisplaysCurrentRepaintSpeedIn;
String TxtEurAsia;
String TxtFlat;
String TxtPolarContour;
String TxtDragChartToScrollAxes;
String TxtUk;
String TxtGermany;
String TxtUsaCounties;
String TxtUsaAlaskaCounties;
String TxtJapan;
String TxtChina;
String TxtChinaProvinces;
String TxtFrance;
String TxtLight;
String TxtBubbleCloud;
String TxtAxisScrollBar;
String TxtScrollsAnAxis;
String TxtLookout2;
String TxtAndros;
String TxtImport;
String TxtDoubleHorizBar;
String TxtFinancialStocks;
String TxtXyzData;
String TxtBoolean;
String TxtBinary;
String TxtDigital;
String TxtAustraliaStates;
String TxtAustraliaCounties;
String TxtActivityGauge2;
String TxtEqualizerSeries2;

namespace {

String* const allTexts[] = {
    &TxtPolar,
    &TxtCandle,
    &TxtVolume2,
    &TxtSurface,
    &TxtContour,
    &TxtBezier,
    &TxtPoint3D,
    &TxtRadar,
    &TxtCursor,
    &TxtBar3D,
    &TxtBigCandle,
    &TxtLinePoint,
    &TxtHistogram,
    &TxtViolin,
    &TxtBeeswarm,
    &TxtWaterFall,
    &TxtWindRose,
    &TxtClock,
    &TxtColorGrid,
    &TxtBoxPlot,
    &TxtHorizontalBoxPlot,
    &TxtBarJoin,
    &TxtSmith,
    &TxtPyramid2,
    &TxtMap,
    &TxtPolynomialDegreeMustBeBetween,
    &TxtAnswerVectorIndexMustBe,
    &TxtCannotProcessFitting,
    &TxtExpAverageWeightMustBeBetween,
    &TxtErrorBar,
    &TxtError,
    &TxtHighLow,
    &TxtMomentum,
    &TxtMomentumDivision,
    &TxtExponentialAverage,
    &TxtMovingAverage,
    &TxtExpMovingAverage,
    &TxtRSI,
    &TxtCurveFitting,
    &TxtTrend,
    &TxtExponentialTrend,
    &TxtLogarithmicTrend,
    &TxtCumulative,
    &TxtStandardDeviation,
    &TxtBollingerBands,
    &TxtRootMeanSquare,
    &TxtMacd,
    &TxtStochastic,
    &TxtAdx,
    &TxtCount,
    &TxtOpenZebgraph,
    &TxtSaveZebgraph,
    &TxtZebgraphProFiles,
    &TxtOther2,
    &TxtStats,
    &TxtMath,
    &TxtCannotFindSeriesEditorForm,
    &TxtDate,
    &TxtOpen,
    &TxtHigh2,
    &TxtLow2,
    &TxtClose,
    &TxtOffset,
    &TxtStdError,
    &TxtGrid3D,
    &TxtNumberOfBezierPointsShould,
    &TxtNormal2,
    &TxtEdit2,
    &TxtPrint,
    &TxtCopy2,
    &TxtSave,
    &Txt3D,
    &TxtRotationElevation,
    &TxtRotate2,
    &TxtHorizOffsetVertOffset,
    &TxtMove,
    &TxtZoom2,
    &TxtZoom3,
    &Txt3D2,
    &TxtDepth,
    &TxtChart,
    &TxtPanel,
    &TxtDragToRotate,
    &TxtDragToMove,
    &TxtDragToZoom,
    &TxtDragToResize3D,
    &TxtDragLeftButtonToZoom,
    &TxtDragAPieSliceTo,
    &TxtSliceExploded,
    &TxtNumberOfPointsMustBe,
    &TxtAllColinearDataPoints,
    &TxtSimilarXyzPointsCannotCalculate,
    &TxtTriangleSurf,
    &TxtAllSeries,
    &TxtFinancial,
    &TxtCursor2,
    &TxtDragMarks,
    &TxtAxisArrows,
    &TxtDrawLine,
    &TxtNearestPoint,
    &TxtColorBand,
    &TxtColorLine,
    &TxtRotate3,
    &TxtImage2,
    &TxtMarkTips,
    &TxtAnnotation,
    &TxtCanNotDeleteAncestor,
    &TxtLoad,
    &TxtChart2,
    &TxtChartSeries,
    &Txt3D3,
    &TxtSwitch2D3D,
    &TxtActive,
    &TxtShowHideSeries,
    &TxtEditChart2,
    &TxtEdit3,
    &TxtCopyToClipboard,
    &TxtCopy3,
    &TxtPrintPreviewChart,
    &TxtPrint2,
    &TxtShowHideAxes,
    &TxtAxes,
    &TxtShowHideGrids,
    &TxtGrids,
    &TxtShowHideLegend,
    &TxtLegend2,
    &TxtEditSeries,
    &TxtShowHideSeriesMarks,
    &TxtMarks2,
    &TxtSaveChart,
    &TxtSave2,
    &TxtBar3,
    &TxtNoOpen,
    &TxtNoClose,
    &TxtNoHigh,
    &TxtNoLow,
    &TxtColorRange,
    &TxtWireframe,
    &TxtDotFrame,
    &TxtPositions,
    &TxtNoGrid,
    &TxtNoPoint,
    &TxtNoLine,
    &TxtLabels,
    &TxtNoCircle,
    &TxtLines,
    &TxtBorder,
    &TxtResistance,
    &TxtReactance,
    &TxtColumn,
    &TxtSeparator,
    &TxtSegment,
    &TxtFunnel,
    &Txt000,
    &TxtExceedsQuota,
    &TxtWithinQuota,
    &TxtOrMoreBelowQuota,
    &TxtCalendar,
    &TxtDeltaPoint,
    &TxtImagePoint,
    &TxtImageBar,
    &TxtSeriesTextFieldIndexShouldBe,
    &TxtOrigin,
    &TxtTransparency,
    &TxtBox,
    &TxtExtrOut,
    &TxtMildOut,
    &TxtPageNumber,
    &TxtDragPoint,
    &TxtOpportunityValues,
    &TxtQuoteValues,
    &TxtCrossPoints,
    &Txt3DGridTranspose,
    &TxtCompression,
    &TxtExtraLegend,
    &TxtCloseLocationValue,
    &TxtOnBalanceVolume,
    &TxtCommodityChannelIndex,
    &TxtVolumeOscillator,
    &TxtPointFigure,
    &TxtUp,
    &TxtDown,
    &TxtGanttDrag,
    &TxtXmlFile,
    &TxtGridBand,
    &TxtPerformance,
    &TxtGauge,
    &TxtGauges,
    &TxtEndZ,
    &TxtVector3D,
    &Txt3D4,
    &TxtTower,
    &TxtSingleColor,
    &TxtCover,
    &TxtCone,
    &TxtPieSlices,
    &TxtExecute,
    &TxtThemes,
    &Txt2DLighting,
    &TxtCurrent,
    &TxtCorrelation,
    &TxtVariance,
    &TxtBubble3D,
    &TxtHorizontalHistogram,
    &TxtPerimeter,
    &TxtSurfaceNearest,
    &TxtAxisScroll,
    &TxtRectangle2,
    &TxtPolarBar,
    &TxtWapBitmap,
    &TxtWapBitmapsWbmpWbmp,
    &TxtClipSeries,
    &TxtSeriesBand,
    &TxtFacts,
    &TxtDownsampling,
    &TxtSelector,
    &TxtLegendScrollbar,
    &TxtVolumePipe,
    &TxtDataTable,
    &TxtIsoSurface,
    &TxtUpToValue,
    &TxtNoCompression,
    &TxtDarvas,
    &TxtVideoCreator,
    &TxtCreatesAnAviVideoWith,
    &TxtVideoPlayer,
    &TxtPlayVideosInsideChartRegions,
    &TxtDisplaysDraggableCursorLinesOn,
    &TxtDisplaysClickableArrowsAtAxis,
    &TxtAllowsDrawingCustomLinesBy,
    &TxtDisplaysAGraphicalSignalWhen,
    &TxtDisplaysAColouredRectangleBand,
    &TxtDisplaysADraggableLineAcross,
    &TxtAllowsRotatingChartDraggingWith,
    &TxtDisplaysAPictureUsingThe,
    &TxtDisplaysTipsOrHintsWhen,
    &TxtDisplaysCustomTextAtAny,
    &TxtMovesSeriesMarksWhenDragging,
    &TxtMovesASeriesPointWhen,
    &TxtDisplaysACustomLegendAt,
    &TxtAllowsDraggingAndResizingGantt,
    &TxtOutlinesOrExpandsPieSlices,
    &TxtGridBandToolUseIt,
    &TxtExchangesXAndZCoordinates,
    &TxtDisplaysCustomTextAtAny2,
    &TxtDisplaysA2DimensionalLight,
    &TxtDisplaysAVisualIndicationOf,
    &TxtAllowsTheScrollingOfAxes,
    &TxtAllowsScrollingOfTheChart,
    &TxtRestrictsSeriesPaintingOutsideSeries,
    &TxtEnablesSelectingAndDraggingChart,
    &TxtReportsStatisticalInformationAboutSeries,
    &TxtShowsCurrentChartPageNumber,
    &TxtTransposeSeries,
    &TxtSwapsSeriesRowsAndColumns,
    &TxtSwaps3DSeriesXyzCell,
    &TxtDisplaysAScrollbarAtChart,
    &TxtDisplaysAGridWithSeries,
    &TxtFillsTheRegionBetweenTwo,
    &TxtRandom,
    &TxtPlay,
    &TxtHighLowLine,
    &TxtMirrored,
    &TxtPolarGrid,
    &TxtFullScreen,
    &TxtShowChartMaximizedToFull,
    &TxtMagnify,
    &TxtMagnifiesAPortionOfChart,
    &TxtStatistics,
    &TxtFader,
    &TxtFadeInOrFadeOut,
    &TxtSubChart,
    &TxtMultipleChartsInsideASingle,
    &TxtImprovesDisplayOfDiagonalAnd,
    &TxtRegion,
    &TxtFillsTheRegionBetweenA,
    &TxtText3D,
    &TxtDisplaysTextWith3DFont,
    &TxtBanner,
    &TxtScrollingAndBlinkingText,
    &TxtNew,
    &TxtDelete3,
    &TxtRename,
    &TxtEdit4,
    &TxtViewToolbar,
    &TxtRenameChartPage,
    &TxtNewName,
    &TxtFrame,
    &TxtDrawsADecoratingFrameAround,
    &TxtHistogram2,
    &TxtSummaryProperties2,
    &TxtLegendPalette,
    &TxtDisplaysLegendMadeWith3D,
    &TxtScrollbar,
    &TxtOrgChart,
    &TxtWorld,
    &TxtAfrica,
    &TxtAsia,
    &TxtAustralia,
    &TxtCentralAmerica,
    &TxtEurope,
    &TxtEurope15,
    &TxtEurope28,
    &TxtSpain,
    &TxtMiddleEast,
    &TxtNorthAmerica,
    &TxtSouthAmerica,
    &TxtUsa,
    &TxtUsaAlaska,
    &TxtMaps,
    &TxtTagCloud,
    &TxtRenko,
    &TxtKagi,
    &TxtNumericGauge,
    &TxtCircularGauge,
    &TxtLed,
    &TxtLinearGauge,
    &TxtLink,
    &TxtDisplaysClickableTextToNavigate,
    &TxtFibonacci,
    &TxtDrawsFibonacciArcsAndFans,
    &TxtVerticalGauge,
    &TxtAviFile,
    &TxtSelectAviFileToStore,
    &TxtMpegVideoFiles,
    &TxtArrow2,
    &TxtDrawArrowsAtAnyAngle,
    &TxtPercentageChange,
    &TxtSlope,
    &TxtRose,
    &TxtKnobGauge,
    &TxtSkewness,
    &TxtKurtosis,
    &TxtMoneyFlow,
    &TxtAtr,
    &TxtRvi,
    &TxtAwesomeOscillator,
    &TxtAcceleratorDecelerator,
    &TxtSmoothedMovingAverage,
    &TxtAlligator,
    &TxtGatorOscillator,
    &TxtCustomLegend,
    &TxtAllowsToCustomizeAGrid,
    &TxtTreeMap,
    &TxtAxisBreaks,
    &TxtEnablesRemovalOfSpecifiedAxis,
    &TxtHorizontal,
    &TxtVertical,
    &TxtScrollPager,
    &TxtCreatesASubChartShowingA,
    &TxtEquiVolume,
    &TxtVolume3,
    &TxtClustering,
    &TxtPerformClusteringOnYourData,
    &TxtRepaintMonitor,
    &TxtDisplaysCurrentRepaintSpeedIn,
    &TxtEurAsia,
    &TxtFlat,
    &TxtPolarContour,
    &TxtDragChartToScrollAxes,
    &TxtUk,
    &TxtGermany,
    &TxtUsaCounties,
    &TxtUsaAlaskaCounties,
    &TxtJapan,
    &TxtChina,
    &TxtChinaProvinces,
    &TxtFrance,
    &TxtLight,
    &TxtBubbleCloud,
    &TxtAxisScrollBar,
    &TxtScrollsAnAxis,
    &TxtLookout2,
    &TxtAndros,
    &TxtImport,
    &TxtDoubleHorizBar,
    &TxtFinancialStocks,
    &TxtXyzData,
    &TxtBoolean,
    &TxtBinary,
    &TxtDigital,
    &TxtAustraliaStates,
    &TxtAustraliaCounties,
    &TxtActivityGauge2,
    &TxtEqualizerSeries2,
};

bool started = false;

void assignTexts()
{
    TxtPolar = "Polar";
    TxtCandle = "Candle";
    TxtVolume2 = "Volume";
    TxtSurface = "Surface";
    TxtContour = "Contour";
    TxtBezier = "Bezier";
    TxtPoint3D = "Point 3D";
    TxtRadar = "Radar";
    TxtCursor = "Cursor";
    TxtBar3D = "Bar 3D";
    TxtBigCandle = "Big Candle";
    TxtLinePoint = "Line Point";
    TxtHistogram = "Histogram";
    TxtViolin = "Violin";
    TxtBeeswarm = "Beeswarm";
    TxtWaterFall = "Water Fall";
    TxtWindRose = "Wind Rose";
    TxtClock = "Clock";
    TxtColorGrid = "Color Grid";
    TxtBoxPlot = "BoxPlot";
    TxtHorizontalBoxPlot = String("Horizontal") + TxtLineBreak + "BoxPlot";
    TxtBarJoin = "Bar Join";
    TxtSmith = "Smith";
    TxtPyramid2 = "Pyramid";
    TxtMap = "Map";
    TxtPolynomialDegreeMustBeBetween = "Polynomial degree must be between 1 and 20";
    TxtAnswerVectorIndexMustBe = "Answer Vector index must be between 1 and %d";
    TxtCannotProcessFitting = "Cannot process fitting";
    TxtExpAverageWeightMustBeBetween = "ExpAverage Weight must be between 0 and 1";
    TxtErrorBar = "Error Bar";
    TxtError = "Error";
    TxtHighLow = "High-Low";
    TxtMomentum = "Momentum";
    TxtMomentumDivision = String("Momentum") + TxtLineBreak + "Division";
    TxtExponentialAverage = String("Exponential") + TxtLineBreak + "Average";
    TxtMovingAverage = String("Moving") + TxtLineBreak + "Average";
    TxtExpMovingAverage = String("Exp.Moving") + TxtLineBreak + "Average";
    TxtRSI = "R.S.I.";
    TxtCurveFitting = "Curve Fitting";
    TxtTrend = "Trend";
    TxtExponentialTrend = String("Exponential") + TxtLineBreak + "Trend";
    TxtLogarithmicTrend = String("Logarithmic") + TxtLineBreak + "Trend";
    TxtCumulative = "Cumulative";
    TxtStandardDeviation = String("Standard") + TxtLineBreak + "Deviation";
    TxtBollingerBands = String("Bollinger") + TxtLineBreak + "bands";
    TxtRootMeanSquare = String("Root Mean") + TxtLineBreak + "Square";
    TxtMacd = "MACD";
    TxtStochastic = "Stochastic";
    TxtAdx = "ADX";
    TxtCount = "Count";
    TxtOpenZebgraph = "Open Zebgraph...";
    TxtSaveZebgraph = "Save Zebgraph...";
    TxtZebgraphProFiles = "Zebgraph Pro files";
    TxtOther2 = "Other";
    TxtStats = "Stats";
    TxtMath = "Math";
    TxtCannotFindSeriesEditorForm = "Cannot find Series editor Form: %s";
    TxtDate = "Date";
    TxtOpen = "Open";
    TxtHigh2 = "High";
    TxtLow2 = "Low";
    TxtClose = "Close";
    TxtOffset = "Offset";
    TxtStdError = "StdError";
    TxtGrid3D = "Grid 3D";
    TxtNumberOfBezierPointsShould = "Number of Bezier points should be > 1";
    TxtNormal2 = "Normal";
    TxtEdit2 = "Edit";
    TxtPrint = "Print";
    TxtCopy2 = "Copy";
    TxtSave = "Save";
    Txt3D = "3D";
    TxtRotationElevation = "Rotation: %d° Elevation: %d°";
    TxtRotate2 = "Rotate";
    TxtHorizOffsetVertOffset = "Horiz.Offset: %d Vert.Offset: %d";
    TxtMove = "Move";
    TxtZoom2 = "Zoom: %d %%";
    TxtZoom3 = "Zoom";
    Txt3D2 = "3D: %d %%";
    TxtDepth = "Depth";
    TxtChart = "Chart";
    TxtPanel = "Panel";
    TxtDragToRotate = "Drag %s to Rotate";
    TxtDragToMove = "Drag %s to Move";
    TxtDragToZoom = "Drag %s to Zoom";
    TxtDragToResize3D = "Drag %s to resize 3D";
    TxtDragLeftButtonToZoom = "Drag Left button to Zoom, Right button to Scroll";
    TxtDragAPieSliceTo = "Drag a Pie Slice to Explode it";
    TxtSliceExploded = "Slice: %d Exploded: %d %%";
    TxtNumberOfPointsMustBe = "Number of points must be >= 4";
    TxtAllColinearDataPoints = "All colinear data points";
    TxtSimilarXyzPointsCannotCalculate = "Similar XYZ points. Cannot calculate triangles.";
    TxtTriangleSurf = "Triangle Surf.";
    TxtAllSeries = "All Series";
    TxtFinancial = "Financial";
    TxtCursor2 = "Cursor";
    TxtDragMarks = "Drag Marks";
    TxtAxisArrows = "Axis Arrows";
    TxtDrawLine = "Draw Line";
    TxtNearestPoint = "Nearest Point";
    TxtColorBand = "Color Band";
    TxtColorLine = "Color Line";
    TxtRotate3 = "Rotate";
    TxtImage2 = "Image";
    TxtMarkTips = "Mark Tips";
    TxtAnnotation = "Annotation";
    TxtCanNotDeleteAncestor = "Can not delete ancestor";
    TxtLoad = "Load...";
    TxtChart2 = "Chart";
    TxtChartSeries = "Chart Series";
    Txt3D3 = "&3D";
    TxtSwitch2D3D = "Switch 2D / 3D";
    TxtActive = "&Active";
    TxtShowHideSeries = "Show / Hide Series";
    TxtEditChart2 = "Edit Chart";
    TxtEdit3 = "&Edit...";
    TxtCopyToClipboard = "Copy to Clipboard";
    TxtCopy3 = "&Copy";
    TxtPrintPreviewChart = "Print preview Chart";
    TxtPrint2 = "&Print...";
    TxtShowHideAxes = "Show / Hide Axes";
    TxtAxes = "&Axes";
    TxtShowHideGrids = "Show / Hide Grids";
    TxtGrids = "&Grids";
    TxtShowHideLegend = "Show / Hide Legend";
    TxtLegend2 = "&Legend";
    TxtEditSeries = "Edit Series";
    TxtShowHideSeriesMarks = "Show / Hide Series Marks";
    TxtMarks2 = "&Marks";
    TxtSaveChart = "Save Chart";
    TxtSave2 = "&Save...";
    TxtBar3 = "Bar";
    TxtNoOpen = "No Open";
    TxtNoClose = "No Close";
    TxtNoHigh = "No High";
    TxtNoLow = "No Low";
    TxtColorRange = "Color Range";
    TxtWireframe = "Wireframe";
    TxtDotFrame = "Dot Frame";
    TxtPositions = "Positions";
    TxtNoGrid = "No Grid";
    TxtNoPoint = "No Point";
    TxtNoLine = "No Line";
    TxtLabels = "Labels";
    TxtNoCircle = "No Circle";
    TxtLines = "Lines";
    TxtBorder = "Border";
    TxtResistance = "Resistance";
    TxtReactance = "Reactance";
    TxtColumn = "Column";
    TxtSeparator = "Separator";
    TxtSegment = "Segment ";
    TxtFunnel = "Funnel";
    Txt000 = "0.00 %";
    TxtExceedsQuota = "Exceeds quota";
    TxtWithinQuota = " within quota";
    TxtOrMoreBelowQuota = " or more below quota";
    TxtCalendar = "Calendar";
    TxtDeltaPoint = "DeltaPoint";
    TxtImagePoint = "ImagePoint";
    TxtImageBar = "ImageBar";
    TxtSeriesTextFieldIndexShouldBe = "SeriesText: Field index should be greater than zero.";
    TxtOrigin = "Origin";
    TxtTransparency = "Transparency";
    TxtBox = "Box";
    TxtExtrOut = "ExtrOut";
    TxtMildOut = "MildOut";
    TxtPageNumber = "Page Number";
    TxtDragPoint = "Drag Point";
    TxtOpportunityValues = "OpportunityValues";
    TxtQuoteValues = "QuoteValues";
    TxtCrossPoints = "Cross Points";
    Txt3DGridTranspose = "3D Grid Transpose";
    TxtCompression = "Compression";
    TxtExtraLegend = "Extra Legend";
    TxtCloseLocationValue = String("Close Location") + TxtLineBreak + "Value";
    TxtOnBalanceVolume = String("On Balance") + TxtLineBreak + "Volume";
    TxtCommodityChannelIndex = String("Commodity") + TxtLineBreak + "Channel Index";
    TxtVolumeOscillator = String("Volume") + TxtLineBreak + "Oscillator";
    TxtPointFigure = "Point & Figure";
    TxtUp = "Up";
    TxtDown = "Down";
    TxtGanttDrag = "Gantt Drag";
    TxtXmlFile = "XML file";
    TxtGridBand = "Grid Band";
    TxtPerformance = "Performance";
    TxtGauge = "Gauge";
    TxtGauges = "Gauges";
    TxtEndZ = "EndZ";
    TxtVector3D = "Vector 3D";
    Txt3D4 = "3D";
    TxtTower = "Tower";
    TxtSingleColor = "Single Color";
    TxtCover = "Cover";
    TxtCone = "Cone";
    TxtPieSlices = "Pie Slices";
    TxtExecute = "Execute !";
    TxtThemes = "Themes";
    Txt2DLighting = "2D Lighting";
    TxtCurrent = "Current";
    TxtCorrelation = "Correlation";
    TxtVariance = "Variance";
    TxtBubble3D = "Bubble 3D";
    TxtHorizontalHistogram = String("Horizontal") + TxtLineBreak + "Histogram";
    TxtPerimeter = "Perimeter";
    TxtSurfaceNearest = "Surface Nearest";
    TxtAxisScroll = "Axis Scroll";
    TxtRectangle2 = "Rectangle";
    TxtPolarBar = "Polar Bar";
    TxtWapBitmap = "Wap Bitmap";
    TxtWapBitmapsWbmpWbmp = "Wap Bitmaps (*.wbmp)|*.wbmp";
    TxtClipSeries = "Clip Series";
    TxtSeriesBand = "Series Band";
    TxtFacts = "Facts";
    TxtDownsampling = "Downsampling";
    TxtSelector = "Selector";
    TxtLegendScrollbar = "Legend Scrollbar";
    TxtVolumePipe = "VolumePipe";
    TxtDataTable = "Data Table";
    TxtIsoSurface = "Iso-Surface";
    TxtUpToValue = "Up to Value";
    TxtNoCompression = "No Compression";
    TxtDarvas = "Darvas";
    TxtVideoCreator = "Video creator";
    TxtCreatesAnAviVideoWith = "Creates an AVI video with Chart images";
    TxtVideoPlayer = "Video player";
    TxtPlayVideosInsideChartRegions = "Play videos inside Chart regions";
    TxtDisplaysDraggableCursorLinesOn = "Displays draggable Cursor lines on top of Series.";
    TxtDisplaysClickableArrowsAtAxis = "Displays clickable arrows at axis start and ending points, to scroll axis.";
    TxtAllowsDrawingCustomLinesBy = "Allows drawing custom lines by dragging the mouse.";
    TxtDisplaysAGraphicalSignalWhen = "Displays a graphical signal when the mouse is moving near a series point.";
    TxtDisplaysAColouredRectangleBand = "Displays a coloured rectangle (band) at the specified axis and position.";
    TxtDisplaysADraggableLineAcross = "Displays a draggable line across axes.";
    TxtAllowsRotatingChartDraggingWith = "Allows rotating Chart dragging with mouse button.";
    TxtDisplaysAPictureUsingThe =
        "Displays a picture using the specified Series axes as boundaries. When the axis are zoomed or scrolled, the "
        "picture will follow the new boundaries.";
    TxtDisplaysTipsOrHintsWhen =
        "Displays \"tips\" or \"hints\" when the end-user moves or clicks the mouse over a series point.";
    TxtDisplaysCustomTextAtAny = "Displays custom text at any location inside Chart.";
    TxtMovesSeriesMarksWhenDragging = "Moves Series marks when dragging them with mouse.";
    TxtMovesASeriesPointWhen = "Moves a Series point when dragging it with mouse.";
    TxtDisplaysACustomLegendAt = "Displays a custom legend at any location inside Chart.";
    TxtAllowsDraggingAndResizingGantt = "Allows dragging and resizing Gantt bars.";
    TxtOutlinesOrExpandsPieSlices = "Outlines or expands Pie slices when moving or clicking with mouse.";
    TxtGridBandToolUseIt =
        "Grid Band tool, use it to display a coloured rectangles (bands) at the grid lines of the specified axis and "
        "position.";
    TxtExchangesXAndZCoordinates = "Exchanges X and Z coordinates to rotate Series 90 degree.";
    TxtDisplaysCustomTextAtAny2 = "Displays custom text at any location inside Chart within a resizable box.";
    TxtDisplaysA2DimensionalLight = "Displays a 2 dimensional \"light\" effect over the chart Canvas.";
    TxtDisplaysAVisualIndicationOf =
        "Displays a visual indication of selecting a Surface cell when the user moves the mouse over a surface series.";
    TxtAllowsTheScrollingOfAxes = "Allows the scrolling of Axes by mouse dragging";
    TxtAllowsScrollingOfTheChart = "Allows scrolling of the Chart Legend.";
    TxtRestrictsSeriesPaintingOutsideSeries = "Restricts Series painting outside Series associated axes boundaries.";
    TxtEnablesSelectingAndDraggingChart = "Enables selecting and dragging Chart items and annotations.";
    TxtReportsStatisticalInformationAboutSeries = "Reports statistical information about Series data.";
    TxtShowsCurrentChartPageNumber = "Shows current chart Page number and total number of Pages in chart.";
    TxtTransposeSeries = "Transpose Series";
    TxtSwapsSeriesRowsAndColumns = "Swaps Series rows and columns.";
    TxtSwaps3DSeriesXyzCell = "Swaps 3D Series XYZ cell data (X by Z)";
    TxtDisplaysAScrollbarAtChart = "Displays a scrollbar at Chart Legend to enable scroll it by dragging the mouse.";
    TxtDisplaysAGridWithSeries = "Displays a grid with Series data values.";
    TxtFillsTheRegionBetweenTwo = "Fills the region between two Series.";
    TxtRandom = "Random";
    TxtPlay = "&Play";
    TxtHighLowLine = "HighLow Line";
    TxtMirrored = "Mirrored";
    TxtPolarGrid = "Polar Grid";
    TxtFullScreen = "Full Screen";
    TxtShowChartMaximizedToFull = "Show Chart maximized to full screen";
    TxtMagnify = "Magnify";
    TxtMagnifiesAPortionOfChart = "Magnifies a portion of chart";
    TxtStatistics = "Statistics";
    TxtFader = "Fader";
    TxtFadeInOrFadeOut = "Fade-in or fade-out Chart animation";
    TxtSubChart = "SubChart";
    TxtMultipleChartsInsideASingle = "Multiple Charts inside a single Chart";
    TxtImprovesDisplayOfDiagonalAnd = "Improves display of diagonal and curved lines, removing zig-zag.";
    TxtRegion = "Region";
    TxtFillsTheRegionBetweenA = "Fills the region between a fixed value and Series points.";
    TxtText3D = "Text 3D";
    TxtDisplaysTextWith3DFont = "Displays text with 3D font and 3D rotation.";
    TxtBanner = "Banner";
    TxtScrollingAndBlinkingText = "Scrolling and blinking text";
    TxtNew = "&New";
    TxtDelete3 = "&Delete";
    TxtRename = "&Rename...";
    TxtEdit4 = "&Edit...";
    TxtViewToolbar = "&View Toolbar";
    TxtRenameChartPage = "Rename Chart page";
    TxtNewName = "New name:";
    TxtFrame = "Frame";
    TxtDrawsADecoratingFrameAround = "Draws a decorating frame around Chart panel";
    TxtHistogram2 = "Histogram";
    TxtSummaryProperties2 = "Summary properties";
    TxtLegendPalette = "Legend Palette";
    TxtDisplaysLegendMadeWith3D = "Displays legend made with 3D series palette colors";
    TxtScrollbar = "Scrollbar";
    TxtOrgChart = "Org.Chart";
    TxtWorld = "World";
    TxtAfrica = "Africa";
    TxtAsia = "Asia";
    TxtAustralia = "Australia";
    TxtCentralAmerica = "Central America";
    TxtEurope = "Europe";
    TxtEurope15 = "Europe 15";
    TxtEurope28 = "Europe 28";
    TxtSpain = "Spain";
    TxtMiddleEast = "Middle East";
    TxtNorthAmerica = "North America";
    TxtSouthAmerica = "South America";
    TxtUsa = "USA";
    TxtUsaAlaska = "USA Alaska";
    TxtMaps = "Maps";
    TxtTagCloud = "Tag Cloud";
    TxtRenko = "Renko";
    TxtKagi = "Kagi";
    TxtNumericGauge = String("Numeric") + TxtLineBreak + "Gauge";
    TxtCircularGauge = String("Circular") + TxtLineBreak + "Gauge";
    TxtLed = "LED";
    TxtLinearGauge = String("Linear") + TxtLineBreak + "Gauge";
    TxtLink = "Link";
    TxtDisplaysClickableTextToNavigate = "Displays clickable text to navigate to a URL internet address.";
    TxtFibonacci = "Fibonacci";
    TxtDrawsFibonacciArcsAndFans = "Draws Fibonacci arcs and fans over financial data.";
    TxtVerticalGauge = "Vertical Gauge";
    TxtAviFile = "AVI file";
    TxtSelectAviFileToStore = "Select AVI file to store video";
    TxtMpegVideoFiles = "MPEG Video files";
    TxtArrow2 = "Arrow";
    TxtDrawArrowsAtAnyAngle = "Draw arrows at any angle, size and position.";
    TxtPercentageChange = String("Percentage") + TxtLineBreak + "Change";
    TxtSlope = "Slope";
    TxtRose = "Rose";
    TxtKnobGauge = "KnobGauge";
    TxtSkewness = "Skewness";
    TxtKurtosis = "Kurtosis";
    TxtMoneyFlow = "Money Flow";
    TxtAtr = "ATR";
    TxtRvi = "RVI";
    TxtAwesomeOscillator = String("Awesome") + TxtLineBreak + "Oscillator";
    TxtAcceleratorDecelerator = String("Accelerator") + TxtLineBreak + "Decelerator";
    TxtSmoothedMovingAverage = String("Smoothed") + TxtLineBreak + "Moving Average";
    TxtAlligator = "Alligator";
    TxtGatorOscillator = String("Gator") + TxtLineBreak + "Oscillator";
    TxtCustomLegend = "Custom Legend";
    TxtAllowsToCustomizeAGrid = "Allows to customize a Grid for custom legend purpose.";
    TxtTreeMap = "TreeMap";
    TxtAxisBreaks = "Axis Breaks";
    TxtEnablesRemovalOfSpecifiedAxis = "Enables removal of specified axis segments";
    TxtHorizontal = "Horizontal";
    TxtVertical = "Vertical";
    TxtScrollPager = "ScrollPager";
    TxtCreatesASubChartShowingA = "Creates a SubChart showing a scrollable overview of a large dataset.";
    TxtEquiVolume = "EquiVolume";
    TxtVolume3 = "Volume";
    TxtClustering = "Clustering";
    TxtPerformClusteringOnYourData = "Perform \"clustering\" on your data.";
    TxtRepaintMonitor = "Repaint Monitor";
    TxtDisplaysCurrentRepaintSpeedIn =
        "Displays current repaint speed in Frames Per Second, and the total count of painted frames.";
    TxtEurAsia = "EurAsia";
    TxtFlat = "Flat";
    TxtPolarContour = "Polar Contour";
    TxtDragChartToScrollAxes = "Drag chart to scroll axes and image";
    TxtUk = "UK";
    TxtGermany = "Germany";
    TxtUsaCounties = "USA Counties";
    TxtUsaAlaskaCounties = "USA Alaska Counties";
    TxtJapan = "Japan";
    TxtChina = "China";
    TxtChinaProvinces = "China Provinces";
    TxtFrance = "France";
    TxtLight = "Light";
    TxtBubbleCloud = "Bubble Cloud";
    TxtAxisScrollBar = "Axis ScrollBar";
    TxtScrollsAnAxis = "Scrolls an Axis";
    TxtLookout2 = "Lookout";
    TxtAndros = "Andros";
    TxtImport = "Import";
    TxtDoubleHorizBar = "Double Horiz. Bar";
    TxtFinancialStocks = "Financial Stocks";
    TxtXyzData = "XYZ Data";
    TxtBoolean = "Boolean";
    TxtBinary = "Binary";
    TxtDigital = "Digital";
    TxtAustraliaStates = "Australia States";
    TxtAustraliaCounties = "Australia Counties";
    TxtActivityGauge2 = String("Activity") + TxtLineBreak + "Gauge";
    TxtEqualizerSeries2 = "Equalizer Series";
}

}  // namespace

void StartExtendedTexts()
{
    if (started) return;
    started = true;
    assignTexts();
}

void StopExtendedTexts()
{
    if (!started) return;
    started = false;
    for (String* text : allTexts) text->clear();
}

std::span<String* const> ExtendedTexts() { return allTexts; }
